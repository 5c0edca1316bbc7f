#pragma once

#include <QColor>
#include <QWidget>

namespace dravinor::live {

// An on/off lamp beside its caption: `ColorOn` when checked, `ColorOff`
// otherwise. The wizard's step lamps.
class StatusLed : public QWidget {
    Q_OBJECT

public:
    explicit StatusLed(QWidget* parent = nullptr);
    explicit StatusLed(const QString& caption, QWidget* parent = nullptr);

    void setChecked(bool on);
    void setColorOn(const QColor& color);
    void setColorOff(const QColor& color);
    void setCaption(const QString& text);
    // Lamp left of the caption, or right of it.
    void setLampLeft(bool left);

    bool isChecked() const { return checked_; }
    QColor colorOn() const { return colorOn_; }
    QColor colorOff() const { return colorOff_; }
    QColor currentColor() const { return checked_ ? colorOn_ : colorOff_; }
    QString caption() const { return caption_; }
    // Where the lamp is drawn.
    QRectF lampRect() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool checked_ = false;
    bool lampLeft_ = true;
    QColor colorOn_;
    QColor colorOff_;
    QString caption_;
};

}  // namespace dravinor::live
