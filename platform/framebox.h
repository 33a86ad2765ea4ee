#pragma once

#include <QGroupBox>

// The classic frame: an etched border whose caption interrupts it at the top left, filled in the
// frame's own background colour.
class FrameBox final : public QGroupBox {
public:
    FrameBox(const QString &caption, QWidget *parent) : QGroupBox(caption, parent) {}

protected:
    void paintEvent(QPaintEvent *event) override;
};
