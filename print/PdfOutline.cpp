#include "print/PdfOutline.h"

#include <QRegularExpression>

#include <map>

namespace telm {

namespace {

// A text string of the PDF: UTF-16BE with its byte-order mark, in hex.
QByteArray pdfText(const QString& text)
{
    QByteArray bytes("\xFE\xFF");
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() >> 8));
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
    }
    return '<' + bytes.toHex() + '>';
}

int lastNumberAfter(const QByteArray& pdf, const QByteArray& key)
{
    const QRegularExpression re(QString::fromLatin1(key) + QStringLiteral("\\s+(\\d+)"));
    QRegularExpressionMatchIterator it = re.globalMatch(QString::fromLatin1(pdf));
    int value = -1;
    while (it.hasNext())
        value = it.next().captured(1).toInt();
    return value;
}

// The dictionary of object `number`, without its closing ">>".
QByteArray objectDictionary(const QByteArray& pdf, int number)
{
    const QByteArray start = '\n' + QByteArray::number(number) + " 0 obj";
    const qsizetype at = pdf.lastIndexOf(start);
    if (at < 0)
        return {};
    const qsizetype open = pdf.indexOf("<<", at);
    const qsizetype end = pdf.indexOf("endobj", at);
    const qsizetype close = pdf.lastIndexOf(">>", end);
    if (open < 0 || end < 0 || close < open)
        return {};
    return pdf.mid(open, close - open);
}

} // namespace

QByteArray AmendPdf(const QByteArray& pdf, const PdfInfo& info)
{
    const int previousXref = lastNumberAfter(pdf, "startxref");
    const int size = lastNumberAfter(pdf, "/Size");
    const int root = lastNumberAfter(pdf, "/Root");
    const int infoObject = lastNumberAfter(pdf, "/Info");
    if (previousXref < 0 || size < 0 || root < 0)
        return pdf;
    const QByteArray catalog = objectDictionary(pdf, root);
    const int pagesObject = lastNumberAfter(catalog, "/Pages");
    const QByteArray pages = objectDictionary(pdf, pagesObject);
    std::vector<int> pageObjects;
    const qsizetype kids = pages.indexOf("/Kids");
    if (catalog.isEmpty() || kids < 0)
        return pdf;
    static const QRegularExpression ref(QStringLiteral("(\\d+)\\s+0\\s+R"));
    const QString kidsText = QString::fromLatin1(pages.mid(kids, pages.indexOf(']', kids) - kids));
    for (QRegularExpressionMatchIterator it = ref.globalMatch(kidsText); it.hasNext();)
        pageObjects.push_back(it.next().captured(1).toInt());

    QByteArray out = pdf;
    if (!out.endsWith('\n'))
        out.append('\n');
    std::map<int, qsizetype> offsets;
    const auto object = [&](int number, const QByteArray& body) {
        offsets[number] = out.size();
        out += QByteArray::number(number) + " 0 obj\n" + body + "\nendobj\n";
    };

    const int infoNumber = infoObject >= 0 ? infoObject : size;
    int next = infoObject >= 0 ? size : size + 1;
    object(infoNumber, "<<\n/Title " + pdfText(info.title) + "\n/Author " + pdfText(info.author)
                           + "\n/Subject " + pdfText(info.subject) + "\n/Creator "
                           + pdfText(info.creator) + "\n/Producer " + pdfText(info.creator)
                           + "\n>>");

    std::vector<PdfBookmark> marks;
    for (const PdfBookmark& mark : info.bookmarks)
        if (mark.page >= 0 && mark.page < static_cast<int>(pageObjects.size()))
            marks.push_back(mark);
    QByteArray rootExtra;
    if (!marks.empty()) {
        const int outlines = next++;
        const int first = next;
        const int count = static_cast<int>(marks.size());
        next += count;
        object(outlines, "<< /Type /Outlines /First " + QByteArray::number(first) + " 0 R /Last "
                             + QByteArray::number(first + count - 1) + " 0 R /Count "
                             + QByteArray::number(count) + " >>");
        for (int i = 0; i < count; ++i) {
            QByteArray item = "<< /Title " + pdfText(marks[i].title) + " /Parent "
                              + QByteArray::number(outlines) + " 0 R /Dest ["
                              + QByteArray::number(pageObjects[marks[i].page])
                              + " 0 R /XYZ null null null]";
            if (i > 0)
                item += " /Prev " + QByteArray::number(first + i - 1) + " 0 R";
            if (i + 1 < count)
                item += " /Next " + QByteArray::number(first + i + 1) + " 0 R";
            object(first + i, item + " >>");
        }
        rootExtra = "\n/Outlines " + QByteArray::number(outlines) + " 0 R\n/PageMode /UseOutlines";
    }
    object(root, catalog + rootExtra + "\n>>");

    const qsizetype xref = out.size();
    out += "xref\n0 1\n0000000000 65535 f \n";
    for (const auto& [number, offset] : offsets)
        out += QByteArray::number(number) + " 1\n"
               + QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<<\n/Size " + QByteArray::number(std::max(next, size)) + "\n/Root "
           + QByteArray::number(root) + " 0 R\n/Info " + QByteArray::number(infoNumber)
           + " 0 R\n/Prev " + QByteArray::number(previousXref) + "\n>>\nstartxref\n"
           + QByteArray::number(xref) + "\n%%EOF\n";
    return out;
}

} // namespace telm
