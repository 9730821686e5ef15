#include "catalogue/ui/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "catalogue/Texts.h"

namespace kv::catalogue::ui {

QPixmap InstrumentPicture(QSize size, const QString& model) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(6, 6, -6, -6);
    const qreal u = body.width() / 20;  // one unit of the front panel

    QLinearGradient bezel(body.topLeft(), body.bottomLeft());
    bezel.setColorAt(0, QColor(96, 102, 110));
    bezel.setColorAt(1, QColor(44, 48, 54));
    p.setPen(QPen(QColor(20, 22, 26), 2));
    p.setBrush(bezel);
    p.drawRoundedRect(body, u, u);

    // Display with two lines of digits.
    const QRectF display(body.left() + 2 * u, body.top() + 2 * u, body.width() - 4 * u,
                         body.height() * 0.38);
    p.setBrush(QColor(18, 40, 24));
    p.setPen(QPen(QColor(10, 12, 14), 1.5));
    p.drawRoundedRect(display, u / 2, u / 2);
    QFont digits("Liberation Mono");
    digits.setBold(true);
    digits.setPixelSize(static_cast<int>(display.height() * 0.30));
    p.setFont(digits);
    p.setPen(QColor(120, 255, 150));
    p.drawText(display.adjusted(u, u / 2, -u, -display.height() / 2),
               Qt::AlignRight | Qt::AlignVCenter, "1234.56");
    digits.setPixelSize(static_cast<int>(display.height() * 0.22));
    p.setFont(digits);
    p.drawText(display.adjusted(u, display.height() / 2, -u, -u / 2),
               Qt::AlignLeft | Qt::AlignVCenter, "TOTAL   m3");

    // Status lamps.
    const qreal lampY = display.bottom() + 1.6 * u;
    const QColor lamps[] = {QColor(60, 220, 80), QColor(250, 190, 40), QColor(230, 60, 50)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(lamps[i]);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(body.left() + (3 + 2.2 * i) * u, lampY), 0.55 * u, 0.55 * u);
    }

    // Model name on the bezel.
    QFont name("Liberation Sans");
    name.setBold(true);
    name.setPixelSize(static_cast<int>(1.6 * u));
    p.setFont(name);
    p.setPen(QColor(230, 232, 236));
    p.drawText(QRectF(body.left(), lampY - u, body.width() - 2 * u, 2 * u),
               Qt::AlignRight | Qt::AlignVCenter, model.isEmpty() ? QString("740") : model);

    // Keys: two rows of four.
    const qreal keyTop = lampY + 1.8 * u;
    const qreal keyW = (body.width() - 4 * u - 3 * u) / 4;
    const qreal keyH = std::min((body.bottom() - 1.5 * u - keyTop - u) / 2, 2.6 * u);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 4; ++col) {
            const QRectF key(body.left() + 2 * u + col * (keyW + u), keyTop + row * (keyH + u),
                             keyW, keyH);
            QLinearGradient face(key.topLeft(), key.bottomLeft());
            face.setColorAt(0, QColor(220, 224, 228));
            face.setColorAt(1, QColor(160, 166, 172));
            p.setBrush(face);
            p.setPen(QPen(QColor(30, 32, 36), 1));
            p.drawRoundedRect(key, u / 3, u / 3);
        }
    }
    return pixmap;
}

QPixmap IntroPicture() {
    QPixmap pixmap(480, 300);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, pixmap.height());
    sky.setColorAt(0, QColor(16, 58, 104));
    sky.setColorAt(1, QColor(6, 22, 44));
    p.fillRect(pixmap.rect(), sky);

    // A flow line sweeping under the title.
    QPainterPath wave;
    wave.moveTo(0, 210);
    wave.cubicTo(140, 150, 300, 270, 480, 190);
    p.setPen(QPen(QColor(0, 156, 102), 6));
    p.drawPath(wave);

    QFont title("Liberation Sans");
    title.setBold(true);
    title.setPixelSize(30);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(24, 24, 300, 90), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               text::ProductName);
    QFont line("Liberation Sans");
    line.setPixelSize(15);
    p.setFont(line);
    p.setPen(QColor(190, 210, 230));
    p.drawText(QRect(24, 120, 280, 60), Qt::AlignLeft | Qt::TextWordWrap,
               "Configure and program the 746 and 758 field instruments");
    p.drawPixmap(310, 40, InstrumentPicture(QSize(150, 200), "758"));
    return pixmap;
}

}  // namespace kv::catalogue::ui
