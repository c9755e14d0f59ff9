#include "tform8.h"

#include "fonts.h"
#include "imagebox.h"
#include "messagesizing.h"
#include "picturebutton.h"
#include "simplelabel.h"
#include "titlebar.h"

#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QStyle>

namespace {

constexpr QRect kIconRect(69, 13, 32, 32);
constexpr int kLabelLeft = 170, kLabelTop = 10, kLabelHeight = 91;
constexpr QRect kButtonRect(10, 58, 150, 40);
constexpr int kDesignWidth = 510;

}  // namespace

TForm8::TForm8(const QList<QImage>& buttonFaces, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint),
      icon_(new ImageBox(this)),
      label_(new SimpleLabel(this)),
      button_(new PictureButton(this))
{
    setObjectName(QStringLiteral("Form8"));
    setFont(courierNew(19, true));
    setFixedSize(kDesignWidth, kClientHeight);

    icon_->setObjectName(QStringLiteral("Image1"));
    icon_->setGeometry(kIconRect);

    label_->setObjectName(QStringLiteral("LMDSimpleLabel1"));
    label_->setGeometry(kLabelLeft, kLabelTop, kDesignWidth - 180, kLabelHeight);
    label_->setAlignment(SimpleLabel::Align::Center);
    label_->setWordWrap(true);

    button_->setObjectName(QStringLiteral("LMDMMButton1"));
    button_->setGeometry(kButtonRect);
    button_->setFaces(buttonFaces);
    button_->setCaption(QStringLiteral("Продолжить"));
    connect(button_, &PictureButton::clicked, this, &TForm8::LMDMMButton1Click);
    // The button holds the dialog's focus, so that a screen reader reads it
    // after the message; keys still reach keyPressEvent() through it, and
    // the button draws no focus mark.
    button_->setFocusPolicy(Qt::TabFocus);
    button_->setFocus();
    TitleBar::installWhereWanted(this);
}

int TForm8::frameWidth() const
{
    if (frameOverride_ >= 0)
        return frameOverride_;
    const int own = frameGeometry().width() - geometry().width();
    if (own > 0 || !parentWidget())
        return own;
    // Until this window has been shown its frame is unknown; the main
    // window's frame, from the same window manager, stands in for it.
    const QWidget* main = parentWidget()->window();
    return main->frameGeometry().width() - main->geometry().width();
}

QString TForm8::iconName(int kind)
{
    switch (kind) {
    case Error: return QStringLiteral("Ошибка");
    case Question: return QStringLiteral("Вопрос");
    case Warning: return QStringLiteral("Предупреждение");
    case Information: return QStringLiteral("Сведения");
    default: return {};
    }
}

void TForm8::prepareMessage(const QString& text, const QString& title, int kind)
{
    setWindowTitle(title);
    label_->setText(text);
    // A screen reader reads the message with the dialog's title. The title
    // is its name from the start: newer Qt (6.11) takes a window's title as
    // its accessible name only once the native window exists.
    setAccessibleName(title);
    setAccessibleDescription(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    const int textWidth = QFontMetrics(label_->font()).horizontalAdvance(measuringString(text));
    const MessageWidths widths = messageWidths(textWidth, frameWidth());
    label_->resize(widths.label, kLabelHeight);
    TitleBar::setFixedClientSize(this, widths.client, kClientHeight);

    QStyle::StandardPixmap pixmap;
    switch (kind) {
    case Error: pixmap = QStyle::SP_MessageBoxCritical; break;
    case Question: pixmap = QStyle::SP_MessageBoxQuestion; break;
    case Warning: pixmap = QStyle::SP_MessageBoxWarning; break;
    case Information: pixmap = QStyle::SP_MessageBoxInformation; break;
    default:
        shownKind_ = 0;
        icon_->setImage(QImage());
        icon_->setAccessibleName(QString());
        return;
    }
    shownKind_ = kind;
    icon_->setAccessibleName(iconName(kind));
    const QIcon icon = style()->standardIcon(pixmap, nullptr, this);
    icon_->setImage(icon.pixmap(kIconRect.size(), 1.0).toImage());
}

void TForm8::showMessage(const QString& text, const QString& title, int kind)
{
    prepareMessage(text, title, kind);
    exec();
}

void TForm8::keyPressEvent(QKeyEvent* event)
{
    // Enter closes the dialog; every other key, Escape included, is swallowed.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        accept();
    event->accept();
}

void TForm8::LMDMMButton1Click()
{
    accept();
}
