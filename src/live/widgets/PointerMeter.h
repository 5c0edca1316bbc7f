#pragma once

#include "live/WidgetTime.h"
#include "live/widgets/InstrumentWidget.h"

namespace dravinor::live {

// A round meter whose pointer sweeps an arc over a scale with coloured
// sector arcs, a name and a unit. Outside its limits the pointer blinks
// (with the limit option on). The two dial kinds differ only in their arc.
class PointerMeter : public InstrumentWidget {
    Q_OBJECT

public:
    void setShowName(bool on);
    void setShowUnit(bool on);
    void setShowSectors(bool on);
    // The limit option: blink while the value is outside the limits.
    void setLimitBlink(bool on);
    bool isBlinking() const { return blinkTimer_.isActive(); }

    // Pointer angle in degrees, counter-clockwise from the right horizontal.
    double angleAt(double ppt) const { return startAngle_ - span_ * ppt / 1000.0; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // faceBelow: how far the face reaches below the pivot, in radii.
    PointerMeter(double startAngle, double span, double faceBelow, QWidget* parent);

    void paintStaticLayer(QPainter& painter) override;
    void paintMovingPart(QPainter& painter) override;
    void valueChanged() override;

private:
    struct Dial {
        QPointF centre;
        qreal radius;
        QPointF at(double angle, qreal radii) const;
    };
    Dial dial() const;
    bool lightFace() const;
    void paintFace(QPainter& painter, const Dial& d) const;
    void paintSectors(QPainter& painter, const Dial& d) const;
    void paintTicks(QPainter& painter, const Dial& d) const;
    void paintLabels(QPainter& painter, const Dial& d) const;
    void paintTexts(QPainter& painter, const Dial& d) const;
    void updateBlink();

    double startAngle_;
    double span_;
    double faceBelow_;
    bool showName_ = true;
    bool showUnit_ = true;
    bool showSectors_ = true;
    bool limitBlink_ = true;
    bool blinkLit_ = true;
    Ticker blinkTimer_;
};

}  // namespace dravinor::live
