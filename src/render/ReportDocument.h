#pragma once
// The report pane's document: shows a report in one default format, with a first-line indent
// on every paragraph and the section headings bold and blue.
#include "Decziwei.h"

#include <QTextDocument>

class ReportDocument final : public ReportTarget {
public:
    // The document is not owned; `pointSize` is the pane's font size.
    ReportDocument(QTextDocument& document, int pointSize) : document_(document), pointSize_(pointSize) {}

    void ShowReport(const std::string& text, const std::vector<std::string>& headings, int indentPoints) override;
    void Clear() override { document_.clear(); }

private:
    QTextDocument& document_;
    int pointSize_;
};
