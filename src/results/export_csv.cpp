#include "results/export_csv.h"

#include "model/attributes.h"
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

std::string Field(const CsvRow& row, int column) {
    switch (column) {
    case SortByName:
        return Utf8Of(std::wstring_view(row.name));
    case SortByFolder:
        return Utf8Of(std::wstring_view(row.folder));
    case SortBySize:
        return std::to_string(row.size);
    case SortByDate:
        return IsoDateTime(row.modified);
    case SortByType:
        return Utf8Of(std::wstring_view(row.type));
    case SortByExtension:
        return Utf8Of(ExtensionOf(row.name, (row.attributes & kAttributeDirectory) != 0));
    case SortByCreated:
        return row.created != 0 ? IsoDateTime(row.created) : std::string();
    case SortByAccessed:
        return row.accessed != 0 ? IsoDateTime(row.accessed) : std::string();
    case SortByAttributes:
        return Utf8Of(std::wstring_view(AttributeLetters(row.attributes)));
    default:
        return {};
    }
}

}  // namespace

std::string ExportCsv(const std::vector<CsvRow>& rows, const std::vector<int>& columns) {
    std::string out = "\xEF\xBB\xBF";
    const auto line = [&](const auto& field) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i) out += ',';
            AppendField(out, field(columns[i]));
        }
        out += "\r\n";
    };
    line([](int column) { return Utf8Of(std::wstring_view(kColumnCaptions[column])); });
    for (const CsvRow& row : rows) line([&](int column) { return Field(row, column); });
    return out;
}

}  // namespace findlark
