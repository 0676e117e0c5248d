#include "ChartImageWidget.h"

#include "ImageCanvas.h"

#include <QMouseEvent>
#include <QPainter>

ChartImageWidget::ChartImageWidget(ImageCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas)
{
    setObjectName("Imgziwei");
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    Refresh();
}

void ChartImageWidget::Refresh()
{
    setFixedSize(canvas_.Width(), canvas_.Height());
    update();
}

QSize ChartImageWidget::sizeHint() const { return {canvas_.Width(), canvas_.Height()}; }

void ChartImageWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), canvas_.image());  // the image's pixel ratio scales it to units
}

void ChartImageWidget::mousePressEvent(QMouseEvent* event)
{
    // The right button stays free for the image's pop-up menu.
    if (event->button() == Qt::LeftButton) emit leftPressed(event->position().toPoint());
}

void ChartImageWidget::mouseMoveEvent(QMouseEvent* event) { emit moved(event->position().toPoint()); }

void ChartImageWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) emit leftReleased(event->position().toPoint());
}
