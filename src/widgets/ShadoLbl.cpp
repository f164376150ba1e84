#include "widgets/ShadoLbl.h"

#include <QMouseEvent>
#include <QPainter>

#include "base/Errors.h"
#include "base/Sjis.h"

void TPersistent::Assign(const TPersistent* source)
{
    std::string from = source ? source->ClassName() : "nil";
    throw EConvertAssign(from + " を " + ClassName() + " に代入できません");
}

void TShadow::Changed()
{
    if (OnChange) OnChange(this);
}

void TShadow::SetVisible(bool value)
{
    if (value == visible_) return;
    visible_ = value;
    Changed();
}

void TShadow::SetColor(const QColor& value)
{
    if (value == color_) return;
    color_ = value;
    Changed();
}

void TShadow::SetOffsetLeft(int value)
{
    if (value == offsetLeft_) return;
    offsetLeft_ = value;
    Changed();
}

void TShadow::SetOffsetTop(int value)
{
    if (value == offsetTop_) return;
    offsetTop_ = value;
    Changed();
}

void TShadow::Assign(const TPersistent* source)
{
    auto* s = dynamic_cast<const TShadow*>(source);
    if (!s) {
        TPersistent::Assign(source);
        return;
    }
    visible_ = s->visible_;
    color_ = s->color_;
    offsetLeft_ = s->offsetLeft_;
    offsetTop_ = s->offsetTop_;
    Changed();
}

TShadowLabel::TShadowLabel(QWidget* parent) : QWidget(parent)
{
    highlight_.SetColor(QColor(255, 255, 255));
    highlight_.SetOffsetLeft(-1);
    highlight_.SetOffsetTop(-1);
    auto invalidate = [this](TShadow*) { update(); };
    highlight_.OnChange = invalidate;
    shadow_.OnChange = invalidate;
    setMouseTracking(true);
}

void TShadowLabel::SetCaption(const std::string& bytes)
{
    if (bytes == caption_) return;
    caption_ = bytes;
    update();
}

void TShadowLabel::SetHighlight(const TPersistent* value)
{
    if (!value) return;
    highlight_.Assign(value);
    update();
}

void TShadowLabel::SetShadow(const TPersistent* value)
{
    if (!value) return;
    shadow_.Assign(value);
    update();
}

void TShadowLabel::SetFontColor(const QColor& c)
{
    if (c == fontColor_) return;
    fontColor_ = c;
    update();
}

void TShadowLabel::SetAlignment(Qt::Alignment a)
{
    alignment_ = a;
    update();
}

void TShadowLabel::SetWordWrap(bool on)
{
    wordWrap_ = on;
    update();
}

void TShadowLabel::SetShowAccelChar(bool on)
{
    showAccelChar_ = on;
    update();
}

void TShadowLabel::SetTransparent(bool on)
{
    transparent_ = on;
    setAttribute(Qt::WA_TranslucentBackground, on);
    update();
}

void TShadowLabel::SetColor(const QColor& c)
{
    color_ = c;
    update();
}

QString TShadowLabel::DisplayText() const
{
    QString text = SjisToQString(caption_);
    if (text.isEmpty() || (showAccelChar_ && text == QLatin1String("&"))) text += QLatin1Char(' ');
    return text;
}

void TShadowLabel::PaintTo(QPainter& p)
{
    const QString text = DisplayText();
    int flags = Qt::TextExpandTabs | Qt::AlignTop;
    if (alignment_ & Qt::AlignRight) flags |= Qt::AlignRight;
    else if (alignment_ & Qt::AlignHCenter) flags |= Qt::AlignHCenter;
    else flags |= Qt::AlignLeft;
    if (wordWrap_) flags |= Qt::TextWordWrap;
    if (showAccelChar_) flags |= Qt::TextShowMnemonic;

    const QRect r(0, 0, width(), height());
    p.setClipRect(r);
    if (!transparent_) p.fillRect(r, color_);
    p.setFont(font());
    p.setBrush(Qt::NoBrush);
    const QRect rh = r.translated(highlight_.OffsetLeft(), highlight_.OffsetTop());
    const QRect rs = r.translated(shadow_.OffsetLeft(), shadow_.OffsetTop());
    QColor shadowColor, highlightColor, textColor;
    if (Enabled()) {
        shadowColor = shadow_.Color();
        highlightColor = highlight_.Color();
        textColor = fontColor_;
    } else {
        // The button colours of the classic desktop scheme.
        shadowColor = QColor(128, 128, 128);
        highlightColor = QColor(255, 255, 255);
        textColor = QColor(128, 128, 128);
    }
    if (shadow_.Visible()) {
        p.setPen(shadowColor);
        p.drawText(rs, flags, text);
    }
    if (highlight_.Visible()) {
        p.setPen(highlightColor);
        p.drawText(rh, flags, text);
    }
    p.setPen(textColor);
    p.drawText(r, flags, text);
}

void TShadowLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintTo(p);
}

void TShadowLabel::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) pressed_ = true;
    else e->ignore();
}

void TShadowLabel::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    bool inside = rect().contains(e->position().toPoint());
    bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && inside && OnClick) OnClick();
}

void TShadowLabel::mouseMoveEvent(QMouseEvent* e)
{
    if (OnMouseMove) OnMouseMove();
    e->accept();
}
