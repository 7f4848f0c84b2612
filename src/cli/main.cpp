#include "clicommand.h"
#include "clireport.h"
#include "clirequest.h"
#include "version.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    // The window's identity, so that both keep one journal.
    QCoreApplication::setApplicationName(QStringLiteral("Tavrelo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVRELO_VERSION));

    const CliRequest request = CliRequest::parse(QCoreApplication::arguments());
    if (request.answered()) {
        const QByteArray text = request.message.toLocal8Bit();
        std::fputs(text.constData(), request.exitCode == 0 ? stdout : stderr);
        if (!text.endsWith('\n'))
            std::fputs("\n", request.exitCode == 0 ? stdout : stderr);
        return request.exitCode;
    }
    return CliCommand(request).exec();
}
