// A text label that draws its caption up to three times: a shadow copy, a
// highlight copy and the text itself, each in its own colour and offset.
#pragma once
#include <QColor>
#include <QWidget>
#include <functional>
#include <string>

// Base of the settings objects that can be assigned to one another.
class TPersistent {
public:
    virtual ~TPersistent() = default;
    virtual const char* ClassName() const { return "TPersistent"; }
    // Copies another object's settings; the base class copies nothing and
    // raises EConvertAssign.
    virtual void Assign(const TPersistent* source);
};

// Shadow or highlight settings of a label.
class TShadow : public TPersistent {
public:
    const char* ClassName() const override { return "TShadow"; }
    bool Visible() const { return visible_; }
    QColor Color() const { return color_; }
    int OffsetLeft() const { return offsetLeft_; }
    int OffsetTop() const { return offsetTop_; }
    // Each setter stores a new value and then notifies; an equal value does nothing.
    void SetVisible(bool value);
    void SetColor(const QColor& value);
    void SetOffsetLeft(int value);
    void SetOffsetTop(int value);
    // Copies all four values from another TShadow and notifies once.
    void Assign(const TPersistent* source) override;

    std::function<void(TShadow*)> OnChange;

private:
    void Changed();
    bool visible_ = true;
    QColor color_ = QColor(192, 192, 192);
    int offsetLeft_ = 1;
    int offsetTop_ = 1;
};

class TShadowLabel : public QWidget {
public:
    explicit TShadowLabel(QWidget* parent = nullptr);

    // The caption as Shift-JIS bytes, exactly as the scenario gave it.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& bytes);

    TShadow* Highlight() { return &highlight_; }
    TShadow* Shadow() { return &shadow_; }
    // Copies the values of value into the owned object; null is ignored.
    void SetHighlight(const TPersistent* value);
    void SetShadow(const TPersistent* value);

    QColor FontColor() const { return fontColor_; }
    void SetFontColor(const QColor& c);
    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment a);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    QColor Color() const { return color_; }
    void SetColor(const QColor& c);
    // The label's own enabled setting (a disabled parent does not change it).
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

    std::function<void()> OnClick;
    std::function<void()> OnMouseMove;

    // The text as it is drawn (the caption decoded, a blank for an empty one).
    QString DisplayText() const;
    // Paints onto any device, as the label would on screen.
    void PaintTo(QPainter& painter);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;

private:
    std::string caption_;
    TShadow highlight_;
    TShadow shadow_;
    QColor fontColor_ = Qt::black;
    QColor color_ = Qt::white;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool transparent_ = false;
    bool pressed_ = false;
};
