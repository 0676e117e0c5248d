#pragma once
// The pop-up menus of the two rich-text panes and of the chart image. Each attaches itself to
// its widget (a right click opens it); its actions are also reachable as slots, so a main
// window or a test can run them without the menu. Every question goes through the Prompter.
#include <QImage>
#include <QObject>
#include <QRect>

#include <functional>

class Prompter;
class QAction;
class QMenu;
class QTextEdit;
class QWidget;

// Which pane a RichPaneMenu serves: the report pane also offers "导入命稿".
enum class RichPaneKind { Report, Comment };

class RichPaneMenu final : public QObject {
    Q_OBJECT
public:
    // Owned by the pane.
    RichPaneMenu(QTextEdit& pane, Prompter& prompter, RichPaneKind kind);

    QMenu* Menu() const { return menu_; }
    // The menu's actions by their text ("撤销", "复制", …).
    QAction* Action(const QString& text) const;

public slots:
    // Opens the menu at a point of the pane.
    void Popup(const QPoint& point);
    void DeleteSelection();
    // Font (then colour) for the selection; nothing without a selection.
    void FormatSelection();
    // Replaces the report with an RTF or text file.
    void ImportReport();
    void SaveAs();
    void Print();

private:
    QTextEdit& pane_;
    Prompter& prompter_;
    QMenu* menu_;
};

class ChartImageMenu final : public QObject {
    Q_OBJECT
public:
    // `image` gives the chart as it is now; the menu is owned by `widget`.
    ChartImageMenu(QWidget& widget, Prompter& prompter, std::function<QImage()> image);

    QMenu* Menu() const { return menu_; }
    QAction* Action(const QString& text) const;

public slots:
    void Popup(const QPoint& point);
    void Copy();
    // BMP or JPEG, and also PNG or PDF.
    void SaveAs();
    void Print();

private:
    QWidget& widget_;
    Prompter& prompter_;
    std::function<QImage()> image_;
    QMenu* menu_;
};

// Where the chart goes on a printed page `pageWidth` device pixels wide: 8 pixels in from both
// sides, 30 from the top, with the chart's 0.798 height-to-width ratio.
QRect ChartPrintRect(int pageWidth);

// `path` with `extension` (".rtf") appended unless it already ends with it (any case).
QString WithExtension(const QString& path, const QString& extension);
