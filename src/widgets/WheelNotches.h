#pragma once

#include <QObject>

// Turns the wheel over a widget into whole notches, swallowing the wheel so the widget itself
// (a combo box would change its item) does not act on it. Fine-grained wheels and touchpads add
// up their small deltas until a notch is reached.
class WheelNotches : public QObject {
    Q_OBJECT
public:
    explicit WheelNotches(QWidget* watched);

signals:
    // One signal per notch: +1 away from the user, -1 towards the user.
    void notch(int direction);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int pending_ = 0;
};
