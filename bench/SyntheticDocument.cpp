#include "bench/SyntheticDocument.h"

#include <array>

namespace telm::bench {

namespace {

constexpr std::array<const char*, 11> kFields = {
    "DocStr_Name",   "DocStr_Code",   "DocStr_ID",   "DocStr_ParentID",
    "DocStr_Hidden", "DocDta_Sum1",   "DocDta_Sum2", "DocDta_Sum3",
    "DocStr_Manual", "DocStr_Locked", "DocDta_Prev",
};

std::string elementName(int level)
{
    std::string name = level == 1 ? "z:row" : "Level";
    if (level != 1)
        name += std::to_string(level);
    return name;
}

void schemaLevel(std::string& out, int level)
{
    out += "<s:ElementType name=\"";
    out += level == 1 ? std::string("row") : elementName(level);
    out += "\" content=\"eltOnly\" rs:updatable=\"true\">\n";
    for (size_t i = 0; i < kFields.size(); ++i) {
        out += "<s:AttributeType name=\"";
        out += kFields[i];
        out += "\" rs:number=\"" + std::to_string(i + 1)
               + "\" rs:write=\"true\"><s:datatype dt:type=\"string\" "
                 "dt:maxLength=\"255\"/></s:AttributeType>\n";
    }
    if (level < 6)
        schemaLevel(out, level + 1);
    out += "<s:extends type=\"rs:rowbase\"/>\n</s:ElementType>\n";
}

} // namespace

std::string SyntheticDocument(int rows, bool uniqueIds)
{
    std::string out;
    out.reserve(static_cast<size_t>(rows) * 330 + 8000);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<xml xmlns:s=\"uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882\" "
           "xmlns:dt=\"uuid:C2F41010-65B3-11d1-A29F-00AA00C14882\" "
           "xmlns:rs=\"urn:schemas-microsoft-com:rowset\" xmlns:z=\"#RowsetSchema\">\n"
           "<s:Schema id=\"RowsetSchema\">\n";
    schemaLevel(out, 1);
    out += "</s:Schema>\n<rs:data>\n";

    // One block: levels 1..5 as a chain, then two level-6 rows.
    constexpr int kBlockLevels[] = {1, 2, 3, 4, 5, 6, 6};
    std::array<int, 7> nextId{}; // per level, counted from -32768
    std::array<int, 7> currentId{};
    nextId.fill(-32768);
    if (uniqueIds)
        for (int level = 1; level <= 6; ++level)
            nextId[static_cast<size_t>(level)] = -32768 + (level - 1) * 10000;
    int written = 0;
    int open = 0; // levels currently open
    while (written < rows) {
        for (const int level : kBlockLevels) {
            if (written == rows)
                break;
            while (open >= level) {
                out += "</";
                out += elementName(open);
                out += ">\n";
                --open;
            }
            const int id = nextId[static_cast<size_t>(level)]++;
            currentId[static_cast<size_t>(level)] = id;
            const std::string n = std::to_string(written + 1);
            out += '<';
            out += elementName(level);
            out += " DocStr_Name=\"Статия № " + n + " на ниво " + std::to_string(level) + "\"";
            out += " DocStr_Code=\"" + std::to_string(1000 + written % 9000) + "\"";
            out += " DocStr_ID=\"" + std::to_string(id) + "\"";
            out += " DocStr_ParentID=\""
                   + (level == 1 ? std::string()
                                 : std::to_string(currentId[static_cast<size_t>(level - 1)]))
                   + "\"";
            out += " DocStr_Hidden=\"0\" DocDta_Sum1=\"" + std::to_string(written * 7 % 100000)
                   + "\" DocDta_Sum2=\"0\" DocDta_Sum3=\"" + std::to_string(written * 13 % 1000000)
                   + "\" DocStr_Manual=\"False\" DocStr_Locked=\"0\" DocDta_Prev=\""
                   + std::to_string(written * 3 % 50000) + "\">\n";
            open = level;
            ++written;
        }
    }
    while (open > 0) {
        out += "</";
        out += elementName(open);
        out += ">\n";
        --open;
    }
    out += "</rs:data>\n</xml>\n";
    return out;
}

} // namespace telm::bench
