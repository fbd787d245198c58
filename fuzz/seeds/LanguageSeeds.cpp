// Seeds of the language files: the shipped English file and small files with
// every line shape the reader knows (byte order mark, CR LF and lone CR,
// brackets, formats, duplicate and odd sections, empty keys, NUL bytes,
// broken UTF-8, a last line without its newline).

#include <fstream>
#include <iterator>

#include "Seeds.h"

namespace {

SeedBytes Text(const std::string& text) { return SeedBytes(text.begin(), text.end()); }

}  // namespace

Seeds LanguageSeeds(const std::string& languageFile) {
  Seeds seeds;
  std::ifstream in(languageFile, std::ios::binary);
  seeds.push_back({"shipped.trk", SeedBytes(std::istreambuf_iterator<char>(in), {})});
  const std::string general =
      "[General]\nLanguage = Test\nCharset = 0\nFontName = Arial\nFontSize = 9\n";
  seeds.push_back(
      {"bom-crlf.trk",
       Text("\xEF\xBB\xBF[General]\r\nLanguage = <Bracketed>\r\n\r\n[TLumidorNetworkFrm]\r\n"
            "11 = <  spaced  >\r\n14 = plain\r\n")});
  seeds.push_back({"formats.trk", Text(general + "[TLumidorNetworkFrm]\n"
                                                 "1 = %s and %d\n2 = 100%% sure\n3 = %x\n4 = %\n"
                                                 "5 = %s%s%s%s\n6 = a=b=c\n")});
  seeds.push_back(
      {"sections.trk", Text(general + "[general]\nLanguage = Second\n[ TLumidorNetworkFrm ]\n"
                                      "[]\n = empty key\n=\n[unclosed\nno equals here\n"
                                      "; comment = not\n[TLumidorNetworkFrm]\nA = 1\na = 2\n")});
  seeds.push_back({"lone-cr.trk", Text("[General]\rLanguage = CR only\r[X]\rk = v\r")});
  seeds.push_back({"no-last-newline.trk", Text(general + "[TLumidorNetworkFrm]\n12 = last")});
  std::string odd = general + "[TLumidorNetworkFrm]\n13 = nul";
  odd += '\0';
  odd += "byte\n\xFF\xFE = broken \xC3\n[\xE4\xB8] = x\n";
  seeds.push_back({"odd-bytes.trk", Text(odd)});
  seeds.push_back({"empty.trk", {}});
  seeds.push_back({"long-line.trk", Text(general + "[T]\nk = " + std::string(20000, 'x') + "\n")});
  return seeds;
}
