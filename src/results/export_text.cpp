#include "results/export_text.h"

#include "model/utf8.h"

namespace findlark {

std::string ExportText(const std::vector<std::wstring>& paths, const AnsiEncoder& ansi) {
    std::string text;
    for (const std::wstring& path : paths) {
        const std::optional<std::string> bytes = ansi(path);
        if (!bytes) {
            text = "\xEF\xBB\xBF";
            for (const std::wstring& each : paths) text += Utf8Of(std::wstring_view(each)) + "\r\n";
            return text;
        }
        text += *bytes + "\r\n";
    }
    return text;
}

}  // namespace findlark
