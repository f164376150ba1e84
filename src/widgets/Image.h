// An image component: shows its picture unscaled from the top-left corner.
#pragma once
#include <QImage>
#include <QPainter>
#include <QPaintEvent>
#include <QWidget>

class TImage : public QWidget {
public:
    explicit TImage(QWidget* parent = nullptr) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }
    QImage Picture;

protected:
    void paintEvent(QPaintEvent* e) override
    {
        QPainter p(this);
        p.fillRect(e->rect(), Qt::black);
        if (!Picture.isNull()) p.drawImage(0, 0, Picture);
    }
};
