#include "tform4.h"

#include "fillbar.h"
#include "fonts.h"
#include "imagebox.h"
#include "simplelabel.h"
#include "titlebar.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {

SimpleLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int pixelSize, QRect geometry)
{
    auto* label = new SimpleLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(courierNew(pixelSize, true));
    label->setGeometry(geometry);
    return label;
}

}  // namespace

TForm4::TForm4(const QImage& aboutPicture, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      image1_(new ImageBox(this)),
      label1_(makeLabel(this, "LMDSimpleLabel1", QStringLiteral("Пальцеход"), 32, {144, 22, 290, 41})),
      label2_(makeLabel(this, "LMDSimpleLabel2", QStringLiteral("Версия 1.02"), 19, {144, 72, 123, 24})),
      label3_(makeLabel(this, "LMDSimpleLabel3",
                        QStringLiteral("Обучающая программа-тренажер для тренировки работы с клавиатурой. "
                                       "Используются клавиши среднего ряда клавиатуры"),
                        19, {8, 114, 457, 105})),
      label4_(makeLabel(this, "LMDSimpleLabel4", QStringLiteral("Свободная программа для школ и дома"), 15,
                        {10, 272, 452, 19})),
      progressFill1_(new FillBar(this)),
      button1_(new QPushButton(QStringLiteral("ОК"), this))
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("О программе"));
    setFont(courierNew(19, true));
    setFixedSize(472, 298);

    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(10, 10, 96, 96);
    image1_->setImage(aboutPicture);
    image1_->setTransparentColor(QColor(0x00, 0xFF, 0x00));
    image1_->setTransparent(true);

    label1_->setStyle3D(SimpleLabel::Style3D::Sunken, 2);
    label3_->setAlignment(SimpleLabel::Align::Center);
    label3_->setWordWrap(true);

    progressFill1_->setObjectName(QStringLiteral("LMDProgressFill1"));
    progressFill1_->setGeometry(19, 235, 433, 20);

    button1_->setObjectName(QStringLiteral("LMDButton1"));
    button1_->setGeometry(167, 229, 139, 33);
    button1_->setDefault(true);
    button1_->hide();
    connect(button1_, &QPushButton::clicked, this, &TForm4::LMDButton1Click);

    TitleBar::installWhereWanted(this);

    timer1_.setInterval(kTickMs);
    connect(&timer1_, &QTimer::timeout, this, &TForm4::Timer1Timer);
    timer1_.start();
}

void TForm4::showAsSplash()
{
    if (!timer1_.isActive())
        return;
    exec();
}

void TForm4::showAsAbout()
{
    timer1_.stop();
    progressFill1_->hide();
    button1_->show();
    button1_->setFocus();
    exec();
}

void TForm4::Timer1Timer()
{
    if (splashCounter_ <= kLastTick)  // stays at kLastTick + 1 once the animation is over
        ++splashCounter_;
    if (splashCounter_ > kLastTick) {
        timer1_.stop();
        done(Accepted);
        return;
    }
    progressFill1_->setPosition(splashCounter_ * 10);
    progressFill1_->repaint();
}

void TForm4::reject() {}

void TForm4::keyPressEvent(QKeyEvent* event)
{
    // The splash is up while its animation runs and "ОК" is hidden.
    if (timer1_.isActive() && !button1_->isVisible()) {
        splashKeys_.emplace_back(event->clone());
        return;
    }
    QDialog::keyPressEvent(event);
}

std::vector<std::unique_ptr<QKeyEvent>> TForm4::takeSplashKeys()
{
    return std::exchange(splashKeys_, {});
}

void TForm4::LMDButton1Click()
{
    done(Accepted);
}
