#include "records/HtmlExporter.h"

#include "records/ExportTarget.h"

namespace vantor::records {

namespace {

void appendLine(std::string& out, std::string_view line)
{
    out += line;
    out += "\r\n";
}

void appendCell(std::string& out, std::string_view open, std::string_view close, const std::string& value)
{
    out += open;
    out += value.empty() ? std::string("&nbsp") : HtmlExporter::escape(value);
    appendLine(out, close);
}

} // namespace

std::string HtmlExporter::escape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string HtmlExporter::html() const
{
    DelimitedTable& table = ExportTarget::activeTable(m_table);
    std::string out;
    appendLine(out, "<html>");
    appendLine(out, "<head> <title> DataSet </title> </head>");
    appendLine(out, "<body>");
    appendLine(out, "<table border = \"1\" rows = \"" + std::to_string(table.lineCount()) +
                        "\" bordercolor=\"#000000\" cellspacing=\"0\" cellpadding=\"2\">");
    appendLine(out, "<tr>");
    for (const std::string& name : table.fieldNames())
        appendCell(out, "<th  >", " </th>", name);
    appendLine(out, "</tr>");
    const std::size_t count = table.recordCount();
    for (std::size_t i = 0; i < count; ++i) {
        appendLine(out, "<tr>");
        for (const std::string& value : table.record(i))
            appendCell(out, "<td nowrap  >", " </td>", value);
        appendLine(out, "</tr>");
    }
    appendLine(out, "</table>");
    appendLine(out, "</body>");
    appendLine(out, "</html>");
    return out;
}

void HtmlExporter::exportToFile(const std::string& fileName) const
{
    ExportTarget::writeFile(fileName, html());
}

} // namespace vantor::records
