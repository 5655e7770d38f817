#include "widgets/WheelNotches.h"

#include <QWheelEvent>
#include <QWidget>

namespace {
constexpr int notchDelta = 120;
}

WheelNotches::WheelNotches(QWidget* watched) : QObject(watched) {
    watched->installEventFilter(this);
}

bool WheelNotches::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel) return QObject::eventFilter(watched, event);
    auto* wheel = static_cast<QWheelEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && !widget->isEnabled()) return true;
    pending_ += wheel->angleDelta().y();
    while (pending_ >= notchDelta) {
        pending_ -= notchDelta;
        emit notch(+1);
    }
    while (pending_ <= -notchDelta) {
        pending_ += notchDelta;
        emit notch(-1);
    }
    wheel->accept();
    return true;
}
