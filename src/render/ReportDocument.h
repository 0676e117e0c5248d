#pragma once
// The report pane's document: shows a report in one default format, with a first-line indent
// on every paragraph and the section headings bold and blue. The text takes the size of the
// pane's font (the document's default font) as it is when the report is shown, so a report
// built after the user picks another font has the new size.
#include "Decziwei.h"

#include <QTextDocument>

class ReportDocument final : public ReportTarget {
public:
    // The document is not owned.
    explicit ReportDocument(QTextDocument& document) : document_(document) {}

    void ShowReport(const std::string& text, const std::vector<std::string>& headings, int indentPoints) override;
    void Clear() override { document_.clear(); }

private:
    QTextDocument& document_;
};
