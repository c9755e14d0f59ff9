// The reference for the key-to-pixels measurement: a bare Qt line edit in a
// window of its own, nothing of the trainer's. The caret does not blink, so
// the only pixels that change are those a typed key changes.
#include <QApplication>
#include <QFont>
#include <QLineEdit>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setCursorFlashTime(0);
    QLineEdit edit;
    edit.setWindowTitle(QStringLiteral("Строка ввода"));
    edit.setAccessibleName(QStringLiteral("Строка ввода"));
    QFont font = edit.font();
    font.setPixelSize(32);
    edit.setFont(font);
    edit.resize(600, 60);
    edit.show();
    return app.exec();
}
