#include "ui/search_animation.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace folverin {

TSearchAnimation::TSearchAnimation(QWidget* parent) : QWidget(parent) {
  timer_.setInterval(60);
  connect(&timer_, &QTimer::timeout, this, [this] {
    frame_ = (frame_ + 1) % kFrameCount;
    update();
  });
}

void TSearchAnimation::Start() { timer_.start(); }

void TSearchAnimation::Stop() {
  timer_.stop();
  frame_ = kStopFrame;
  update();
}

void TSearchAnimation::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(width() / 2.0, height() / 2.0 + 4);

  // Folder with pages sticking out.
  QPainterPath folder;
  folder.moveTo(centre + QPointF(-34, -14));
  folder.lineTo(centre + QPointF(-20, -14));
  folder.lineTo(centre + QPointF(-16, -10));
  folder.lineTo(centre + QPointF(34, -10));
  folder.lineTo(centre + QPointF(34, 20));
  folder.lineTo(centre + QPointF(-34, 20));
  folder.closeSubpath();
  p.setPen(QPen(QColor(150, 110, 20), 1.2));
  p.setBrush(QColor(240, 200, 80));
  p.drawPath(folder);
  p.setBrush(Qt::white);
  p.setPen(QPen(QColor(120, 120, 120), 1));
  for (int i = 0; i < 3; ++i) p.drawRect(QRectF(centre + QPointF(-24 + i * 16, -22 + i * 2), QSizeF(14, 18)));
  p.setBrush(QColor(250, 215, 100));
  p.setPen(QPen(QColor(150, 110, 20), 1.2));
  p.drawRect(QRectF(centre + QPointF(-34, -4), QSizeF(68, 24)));

  // Magnifier on a circle over the folder.
  const double angle = 2 * std::numbers::pi * frame_ / kFrameCount;
  const QPointF lens = centre + QPointF(22 * std::cos(angle), -6 + 10 * std::sin(angle));
  p.setPen(QPen(QColor(60, 60, 60), 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(lens + QPointF(7, 7), lens + QPointF(16, 16));
  p.setPen(QPen(QColor(40, 40, 40), 2.5));
  p.setBrush(QColor(200, 230, 255, 170));
  p.drawEllipse(lens, 10, 10);
}

}  // namespace folverin
