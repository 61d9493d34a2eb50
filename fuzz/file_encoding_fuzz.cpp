// Any bytes as Tarvolo.INI: finding and converting its encoding must not
// crash, leak or hang, and with Windows-1252 as the ANSI code page:
// - a file reads exactly (its text encoded again gives back its bytes) unless
//   it is UTF-16 with half a code unit or a surrogate without its partner;
//   those alone are lossy, the broken units read as U+FFFD;
// - loading the document and saving it unchanged writes back the same bytes;
//   a file that did not read exactly is first kept aside whole;
// - any text (the first byte picks the encoding asked for) is written in that
//   encoding or else in UTF-8 with a mark, and reads back as the same text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "platform/sim/sim_desktop.h"
#include "platform/text/utf8.h"
#include "store/file_encoding.h"
#include "store/ini_document.h"

namespace {

const std::string kPath = "C:\\Program Files\\Tarvolo\\Tarvolo.INI";

// Written apart from the decoder: half a code unit, or a surrogate that is
// not one of a high-low pair.
bool BrokenUtf16(std::string_view bytes) {
  if (!bytes.starts_with("\xFF\xFE")) return false;
  bytes.remove_prefix(2);
  if (bytes.size() % 2 != 0) return true;
  bool afterHigh = false;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    const unsigned unit = static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (low != afterHigh) return true;
    afterHigh = high;
  }
  return afterHigh;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  sim::SimDesktop desk;

  const DecodedFile read = DecodeFile(input, desk);
  FUZZ_CHECK(read.exact == !BrokenUtf16(input));

  desk.SetFile(kPath, input);
  IniDocument document(desk, desk);
  const IniLoadResult loaded = document.Load(kPath);
  FUZZ_CHECK((loaded == IniLoadResult::Loaded) == LooksLikeText(input));
  const IniSaveResult saved = document.Save();
  if (loaded == IniLoadResult::Loaded) {
    FUZZ_CHECK(saved.Saved());
    FUZZ_CHECK(read.exact ? desk.File(kPath) == input && saved.backupPath.empty()
                          : desk.File(saved.backupPath) == input &&
                                saved.backupReason == IniBackupReason::NotReadExactly);
    IniDocument again(desk, desk);
    FUZZ_CHECK(again.Load(kPath) == IniLoadResult::Loaded);
    FUZZ_CHECK(again.Text() == document.Text() && again.Encoding() == document.Encoding());
  }

  if (size == 0) return 0;
  const auto asked = static_cast<FileEncoding>(data[0] % 4);
  const std::string text = input.substr(1);
  const EncodedFile written = EncodeFileOrUtf8(text, asked, desk);
  FUZZ_CHECK(written.encoding == asked || written.encoding == FileEncoding::Utf8WithMark);
  const DecodedFile back = DecodeFile(written.bytes, desk);
  FUZZ_CHECK(back.text == text && back.exact);
  FUZZ_CHECK(back.encoding == written.encoding ||
             (back.encoding == FileEncoding::Ansi && text::IsAscii(written.bytes)));
  return 0;
}
