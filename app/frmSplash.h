// The splash window shown while the main window is being created: one
// picture, an hourglass pointer and a one-second delay before it may close.
#pragma once

#include <QPixmap>
#include <QWidget>

class QTimer;

namespace telm {

class frmSplash : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 331;
    static constexpr int kHeight = 268;
    static constexpr int kDelayMs = 1000;

    explicit frmSplash(QWidget* parent = nullptr);

    // Shows the window and paints it once; the delay starts here.
    void Form_Load();

    bool ReadyToClose() const { return m_readyToClose; }
    QTimer* delayTimer() const { return m_tmrDelay; }

    // The picture, drawn by code so the program carries no image files.
    static QPixmap DrawPicture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    void tmrDelay_Timer();

    bool m_readyToClose = false;
    QTimer* m_tmrDelay = nullptr;
    QPixmap m_picture;
};

} // namespace telm
