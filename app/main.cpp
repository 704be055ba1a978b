#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QLabel placeholder("Tubaro GAS");
    placeholder.show();
    return application.exec();
}
