#pragma once
#include <memory>
#include <string>

#include "platform/os_files.h"
#include "platform/os_text.h"
#include "store/ini_document.h"
#include "store/options.h"
#include "store/settings.h"

// What the settings file fills and is written from: the setting collection,
// the options, the platform flag, and the document kept between the load and
// the saves. One lives for the whole run.
class SettingsStore {
 public:
  SettingsStore(platform::OsFiles& files, platform::OsText& text) : files(files), text(text) {}
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  platform::OsFiles& files;
  // The ANSI code page, for files in it.
  platform::OsText& text;

  clsSettings Settings;
  AppOptionsRecord AppOptions;
  // Set at start-up: the NT family, not Windows 95, 98 or Me.
  bool IsNT = false;

  // Tarvolo.INI as LoadSettings read it; SaveSettings writes this same
  // document back. A file that was there but unreadable is never written.
  std::unique_ptr<IniDocument> SettingsDocument;
  // Plain words for the user when the settings file could not be read, to be
  // shown once at start-up; empty when all is well.
  std::string SettingsFileProblem;
  // Plain words for the user when the file moved to the user's AppData at
  // this start, shown once then; empty otherwise.
  std::string SettingsFileNotice;
  // A read-only settings file is told once a run, not at every save.
  bool ToldSettingsReadOnly = false;
};
