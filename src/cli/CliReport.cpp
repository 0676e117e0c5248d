#include "CliReport.h"

#include "CliGui.h"
#include "CliArgs.h"
#include "Decziwei.h"
#include "ImageFiles.h"
#include "ReportDocument.h"

#include <QTextDocument>

#include <iostream>

namespace {

constexpr int kReportPointSize = 11;

bool WriteHtml(const QTextDocument& document, const std::string& path)
{
    return WriteOutputFile(QString::fromStdString(path), document.toHtml().toUtf8());
}

}  // namespace

std::string Report(const MZiWeiEx& engine, const std::optional<std::string>& htmlPath)
{
    ChartData chart;
    ChartSettings settings;
    engine.CopyChart(chart, settings);
    MDecZiWei builder;
    if (!htmlPath) {
        builder.BuildReport(chart, settings);
        return builder.LastReport();
    }
    EnsureGuiApplication();
    QTextDocument document;
    QFont font = document.defaultFont();
    font.setPointSize(kReportPointSize);
    document.setDefaultFont(font);
    ReportDocument target(document);
    builder.SetTarget(&target);
    builder.BuildReport(chart, settings);
    builder.SetTarget(nullptr);
    if (!WriteHtml(document, *htmlPath)) {
        std::cerr << "无法写入报告文件：" << Abbreviated(*htmlPath) << '\n';
        return {};
    }
    return builder.LastReport();
}
