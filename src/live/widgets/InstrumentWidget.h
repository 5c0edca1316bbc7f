#pragma once

#include "live/widgets/InstrumentValue.h"

#include <QPixmap>
#include <QWidget>

namespace dravinor::live {

// Base of the analog instruments: the shared value model, texts, scale
// settings and fonts, and a cached static layer (face, scale, labels) over
// which each frame draws only the moving part.
class InstrumentWidget : public QWidget {
    Q_OBJECT

public:
    explicit InstrumentWidget(QWidget* parent = nullptr);

    void setValue(float v);
    void setDigit(int d);
    void setValueFrom(float v);
    void setValueTo(float v);
    void setDigitalFrom(int d);
    void setDigitalTo(int d);
    void setLimits(float lower, float upper);
    void setSectors(const Sectors& sectors);
    void setSector(int index, int from, int to, const QColor& color);
    // Zone 0..2: its bounds or its colour alone, the other part kept.
    void setSectorBounds(int index, int from, int to);
    void setSectorColor(int index, const QColor& color);

    const InstrumentValue& model() const { return model_; }
    float value() const { return model_.value(); }
    int digit() const { return model_.digit(); }
    int ppt() const { return model_.ppt(); }
    bool isBelowLowerLimit() const { return model_.isBelowLowerLimit(); }
    bool isAboveUpperLimit() const { return model_.isAboveUpperLimit(); }

    void setName1(const QString& text);
    void setName2(const QString& text);
    void setValueUnit(const QString& text);
    void setValueFormat(const QString& pattern);
    QString name1() const { return name1_; }
    QString name2() const { return name2_; }
    QString valueUnit() const { return valueUnit_; }
    QString valueFormat() const { return valueFormat_; }

    // Major divisions 1..30; anything else is ignored.
    void setSteps(int steps);
    // Minor divisions of each major one; 1 or less draws none.
    void setSubSteps(int subSteps);
    void setScaleColor(const QColor& color);
    void setPointerColor(const QColor& color);
    int steps() const { return steps_; }
    int subSteps() const { return subSteps_; }
    QColor scaleColor() const { return scaleColor_; }
    QColor pointerColor() const { return pointerColor_; }

    // Point sizes; 0 lets the instrument size its text to its face.
    void setMainFontSize(int points);
    void setUnitFontSize(int points);
    void setScaleFontSize(int points);

    bool hasStaticLayer() const { return !staticLayer_.isNull(); }

protected:
    // Drawn once into the cache, in widget coordinates.
    virtual void paintStaticLayer(QPainter& painter) = 0;
    // Drawn every frame over the cache.
    virtual void paintMovingPart(QPainter& painter) = 0;
    // After the value (and so the limit flags) changed.
    virtual void valueChanged() {}

    void invalidateStaticLayer();
    // The bold instrument fonts; autoPixels applies while no size was set.
    QFont mainFont(qreal autoPixels) const;
    QFont unitFont(qreal autoPixels) const;
    QFont scaleFont(qreal autoPixels) const;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QFont sizedFont(int points, qreal autoPixels) const;
    void rebuildStaticLayer();

    InstrumentValue model_;
    QString name1_;
    QString name2_;
    QString valueUnit_;
    QString valueFormat_ = QStringLiteral("##0");
    int steps_ = 10;
    int subSteps_ = 2;
    QColor scaleColor_ = Qt::black;
    QColor pointerColor_ = Qt::red;
    int mainFontSize_ = 0;
    int unitFontSize_ = 0;
    int scaleFontSize_ = 0;
    QPixmap staticLayer_;
};

}  // namespace dravinor::live
