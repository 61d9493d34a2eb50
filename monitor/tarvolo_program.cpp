#include "monitor/tarvolo_program.h"

TarvoloProgram::TarvoloProgram(platform::Os& os, forms::Ui& ui, MonitorLinks links)
    : state_(os), setup_(state_, ui), icon_(state_, ui, setup_, std::move(links)) {}

