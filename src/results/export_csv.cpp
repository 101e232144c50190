#include "results/export_csv.h"

#include "model/utf8.h"

#include <cstdio>

namespace findlark {
namespace {

// A field with a separator, a quote or a line break goes in quotes, its quotes doubled.
void AppendField(std::string& out, const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

std::string IsoDateTime(DateTime value) {
    const CivilDateTime t = DecodeDateTime(value);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

}  // namespace

std::string ExportCsv(const std::vector<CsvRow>& rows) {
    std::string out = "\xEF\xBB\xBF" "Name,In Folder,Size,Date Modified\r\n";
    for (const CsvRow& row : rows) {
        AppendField(out, Utf8Of(std::wstring_view(row.name)));
        out += ',';
        AppendField(out, Utf8Of(std::wstring_view(row.folder)));
        out += ',';
        out += std::to_string(row.size);
        out += ',';
        out += IsoDateTime(row.modified);
        out += "\r\n";
    }
    return out;
}

}  // namespace findlark
