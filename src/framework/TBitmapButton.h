#pragma once
// A push button drawn from three bitmap faces: id + 1000 up, id + 3000 pressed, id + 5000
// focused, each centred in the button. For framework code only.

#include <QAbstractButton>

class TBitmapButton : public QAbstractButton {
public:
    TBitmapButton(int id, QWidget* parent);
    QSize sizeHint() const override { return {64, 40}; }
    // The face shown now: 1000 up, 3000 pressed, 5000 focused.
    int FaceOffset() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int id;
};
