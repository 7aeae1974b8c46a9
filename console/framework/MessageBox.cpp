#include "MessageBox.h"

#include "WinApp.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace {
int showMessageBox(QWidget* owner, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, owner);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
    return IDOK;
}

MessageBoxFunction g_function = nullptr;
} // namespace

int AfxMessageBox(const QString& text, unsigned /*nType*/)
{
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    const QString caption = AfxGetAppName();
    return g_function ? g_function(owner, caption, text) : showMessageBox(owner, caption, text);
}

MessageBoxFunction setMessageBoxFunction(MessageBoxFunction function)
{
    return std::exchange(g_function, function);
}
