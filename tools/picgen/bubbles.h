#pragma once
// The bubble outline shared by the table's bubbles and the speech-bubble windows.
#include <QPainterPath>
#include <QRectF>

namespace picgen {

// A rounded body with a curved tail whose base sits on the body's edge around
// `base` and whose point is `tip`.
QPainterPath bubblePath(const QRectF& body, double radius, QPointF base, QPointF tip,
                        double tailWidth);

}  // namespace picgen
