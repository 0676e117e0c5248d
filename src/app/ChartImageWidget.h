#pragma once
// The chart image on screen (`Imgziwei`): shows the engine's canvas at the screen's pixel
// ratio and reports mouse presses, moves and releases in chart units, which are the widget's
// own logical pixels, so a click maps back to the chart whatever the screen's density.
#include <QWidget>

class ImageCanvas;

class ChartImageWidget final : public QWidget {
    Q_OBJECT
public:
    ChartImageWidget(ImageCanvas& canvas, QWidget* parent);

    // Takes the canvas's current size and repaints it.
    void Refresh();
    QSize sizeHint() const override;

signals:
    void leftPressed(QPoint point);
    void moved(QPoint point);
    void leftReleased(QPoint point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ImageCanvas& canvas_;
};
