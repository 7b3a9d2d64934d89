#include "app/frmSplash.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

namespace telm {

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(kWidth, kHeight);
    setFocusPolicy(Qt::StrongFocus);
    m_tmrDelay = new QTimer(this);
    m_tmrDelay->setObjectName(QStringLiteral("tmrDelay"));
    m_tmrDelay->setSingleShot(true);
    connect(m_tmrDelay, &QTimer::timeout, this, &frmSplash::tmrDelay_Timer);
}

void frmSplash::Form_Load()
{
    m_readyToClose = false;
    m_tmrDelay->setInterval(kDelayMs);
    m_tmrDelay->start();
    setCursor(Qt::WaitCursor);
    if (m_picture.isNull())
        m_picture = DrawPicture();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
    setFocus();
    QCoreApplication::processEvents();
}

void frmSplash::tmrDelay_Timer()
{
    m_tmrDelay->stop();
    m_readyToClose = true;
}

void frmSplash::Form_KeyDown(int keyCode, Qt::KeyboardModifiers)
{
    if (keyCode != Qt::Key_Escape)
        return;
    m_readyToClose = true;
    m_tmrDelay->stop();
    hide();
}

void frmSplash::keyPressEvent(QKeyEvent* event)
{
    Form_KeyDown(event->key(), event->modifiers());
    event->accept();
}

void frmSplash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture.isNull() ? DrawPicture() : m_picture);
}

QPixmap frmSplash::DrawPicture()
{
    QPixmap picture(kWidth, kHeight);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0.0, QColor(0x1f, 0x4e, 0x8c));
    sky.setColorAt(1.0, QColor(0x0b, 0x22, 0x45));
    p.fillRect(picture.rect(), sky);

    // A ledger sheet, slightly turned, with ruled lines and a column of figures.
    p.save();
    p.translate(96, 132);
    p.rotate(-8);
    const QRectF sheet(-62, -82, 124, 164);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(sheet.translated(5, 6), 4, 4);
    p.setBrush(QColor(0xfb, 0xfa, 0xf4));
    p.drawRoundedRect(sheet, 4, 4);
    p.setPen(QPen(QColor(0x9d, 0xb9, 0xd8), 1));
    for (int y = -58; y <= 70; y += 14)
        p.drawLine(QPointF(-52, y), QPointF(52, y));
    p.setPen(QPen(QColor(0xd9, 0x6c, 0x5f), 1));
    p.drawLine(QPointF(14, -76), QPointF(14, 76));
    p.setPen(QPen(QColor(0x2c, 0x3e, 0x50), 3, Qt::SolidLine, Qt::RoundCap));
    for (int y = -58, i = 0; y <= 56; y += 14, ++i)
        p.drawLine(QPointF(20 + (i % 3) * 4, y - 4), QPointF(48, y - 4));
    p.setPen(QPen(QColor(0x55, 0x66, 0x77), 3, Qt::SolidLine, Qt::RoundCap));
    for (int y = -58, i = 0; y <= 56; y += 14, ++i)
        p.drawLine(QPointF(-48, y - 4), QPointF(-4 - (i % 4) * 7, y - 4));
    p.setPen(QPen(QColor(0x2c, 0x3e, 0x50), 2));
    p.drawLine(QPointF(20, 68), QPointF(48, 68));
    p.drawLine(QPointF(20, 71), QPointF(48, 71));
    p.restore();

    // The transfer: an arrow from the sheet towards a data disc.
    QPainterPath arrow;
    arrow.moveTo(170, 122);
    arrow.lineTo(222, 122);
    arrow.lineTo(222, 106);
    arrow.lineTo(252, 134);
    arrow.lineTo(222, 162);
    arrow.lineTo(222, 146);
    arrow.lineTo(170, 146);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf2, 0xb1, 0x34));
    p.drawPath(arrow);

    const QRectF disc(256, 92, 58, 84);
    p.setBrush(QColor(0x3a, 0x3f, 0x47));
    p.drawRoundedRect(disc, 5, 5);
    p.setBrush(QColor(0xc8, 0xcc, 0xd2));
    p.drawRect(QRectF(disc.left() + 12, disc.top(), 34, 24));
    p.setBrush(QColor(0x3a, 0x3f, 0x47));
    p.drawRect(QRectF(disc.left() + 34, disc.top() + 4, 7, 16));
    p.setBrush(QColor(0xfb, 0xfa, 0xf4));
    p.drawRoundedRect(QRectF(disc.left() + 7, disc.top() + 38, 44, 40), 2, 2);

    // Title band: the program's name, drawn as shapes would be by a logo.
    p.setPen(QColor(0xff, 0xff, 0xff));
    QFont title(QStringLiteral("DejaVu Sans"), 22, QFont::Bold);
    title.setPixelSize(30);
    p.setFont(title);
    p.drawText(QRectF(0, 14, kWidth, 38), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("TELM"));
    p.setPen(QPen(QColor(0xf2, 0xb1, 0x34), 2));
    p.drawLine(QPointF(118, 54), QPointF(213, 54));
    p.setPen(QColor(0xd6, 0xe4, 0xf5));
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(13);
    p.setFont(sub);
    p.drawText(QRectF(0, 226, kWidth, 20), Qt::AlignHCenter, QStringLiteral("Transfer"));
    p.end();
    return picture;
}

} // namespace telm
