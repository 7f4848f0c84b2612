#include "update.h"
#include "ui_update.h"
#include "updaterecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QUrl>

#include <limits>

namespace {

QString &baseUrlStorage()
{
    static QString url = QStringLiteral(TAVRELO_UPDATE_URL);
    return url;
}

const QString informationFileName = QStringLiteral("update_win32.txt");

// A stalled server must not leave the buttons disabled for good.
constexpr int transferTimeoutMs = 30000;

} // namespace

Update::Update(QWidget *parent)
    : QDialog(parent), ui(new Ui_Update), manager(new QNetworkAccessManager(this))
{
    ui->setupUi(this);
    currentVersion = versionKeyOf(QCoreApplication::applicationVersion());
    ui->labelCurrentVers->setText(QCoreApplication::applicationVersion());
    ui->labelError->hide();
    ui->labelProgressBytes->hide();

    downloadUpdateInfos();

    connect(ui->pushCheckNow, &QPushButton::clicked, this, &Update::downloadUpdateInfos);
    connect(ui->pushDownload, &QPushButton::clicked, this, &Update::downloadSoftware);
}

Update::~Update()
{
    // A reply still running must not call back into a half-destroyed dialog.
    if (reply) {
        reply->disconnect(this);
        delete reply;
    }
    delete ui;
}

void Update::setBaseUrl(const QString &url)
{
    baseUrlStorage() = url;
}

QString Update::baseUrl()
{
    return baseUrlStorage();
}

QNetworkReply *Update::get(const QString &name)
{
    // Each request is a fresh attempt: an earlier failure must not swallow it.
    networkError = false;
    const QUrl url(baseUrl() + QCoreApplication::applicationName() + QStringLiteral("/dl/")
                       + QString::fromLatin1(QUrl::toPercentEncoding(name)),
                   QUrl::StrictMode);
    QNetworkRequest request(url);
    request.setTransferTimeout(transferTimeoutMs);
    // What is downloaded is a program: never follow a redirect to a less safe scheme.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    reply = manager->get(request);
    connect(reply, &QNetworkReply::errorOccurred, this, &Update::errorMessage);
    connect(reply, &QNetworkReply::downloadProgress, this, &Update::progress);
    return reply;
}

void Update::showError(const QString &text)
{
    ui->labelError->setText(QStringLiteral("<font color='Red'>\n") + text.toHtmlEscaped()
                            + QStringLiteral("</font>"));
    ui->labelError->show();
}

void Update::downloadUpdateInfos()
{
    ui->pushCheckNow->setEnabled(false);
    ui->labelError->hide();
    ui->labelProgressBytes->hide();
    QNetworkReply *check = get(informationFileName);
    connect(check, &QNetworkReply::finished, this, &Update::checkForUpdateInfos);
}

void Update::checkForUpdateInfos()
{
    auto *check = qobject_cast<QNetworkReply *>(sender());
    if (!check)
        return;
    check->deleteLater();

    if (!networkError && check->error() == QNetworkReply::NoError) {
        const UpdateRecord record = UpdateRecord::fromInformationFile(check->readAll());
        bool rejected = false;
        if (record.isNewerThan(currentVersion)) {
            if (isSafeDownloadName(record.fileName)) {
                updateFound = true;
                fileName = record.fileName;
            } else {
                rejected = true;
                showError(
                    tr("The update information names no valid file: \"%1\"").arg(record.fileName));
            }
        }

        if (updateFound) {
            ui->labelDownload->setText(tr("New update available."));
            // An unusable record leaves the earlier update on display.
            if (record.isComplete() && !rejected) {
                ui->labelNewVers->setText(record.versionShown);
                ui->labelFilename->setText(record.fileName);
                ui->labelWhatsnew->setText(whatsNewText(record.whatsNew));
            }
            ui->pushDownload->setEnabled(true);
            emit updateIsAvailable();
        } else if (reportNoUpdate) {
            ui->labelDownload->setText(tr("No updates available."));
        }
    }

    reportNoUpdate = true;
    ui->progressBar->setValue(0);
    ui->pushCheckNow->setEnabled(true);
}

void Update::downloadSoftware()
{
    saveDirectory = QFileDialog::getExistingDirectory(this, tr("Save file"), QDir::homePath(),
                                                      QFileDialog::ShowDirsOnly);
    if (saveDirectory.isEmpty())
        return;

    ui->pushDownload->setEnabled(false);
    ui->pushCheckNow->setEnabled(false);
    ui->labelError->hide();
    ui->labelProgressBytes->show();
    QNetworkReply *download = get(fileName);
    connect(download, &QNetworkReply::finished, this, &Update::saveSoftware);
}

void Update::saveSoftware()
{
    auto *download = qobject_cast<QNetworkReply *>(sender());
    if (!download)
        return;
    download->deleteLater();

    ui->progressBar->setValue(0);
    ui->pushDownload->setEnabled(true);
    ui->pushCheckNow->setEnabled(true);
    if (networkError || download->error() != QNetworkReply::NoError)
        return;

    // QSaveFile leaves either the whole new file or the old state, never a part.
    QSaveFile file(saveDirectory + QDir::separator() + fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        showError(tr("Cannot save the download: %1").arg(file.errorString()));
        return;
    }
    const QByteArray body = download->readAll();
    if (file.write(body) != body.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        showError(tr("Cannot save the download: %1").arg(reason));
        return;
    }

    ui->labelError->setText(tr("<font color='Blue'>Download done !</font>"));
    ui->labelError->show();
    ui->labelProgressBytes->hide();
}

void Update::progress(qint64 bytesReceived, qint64 bytesTotal)
{
    if (bytesTotal == -1)
        return;
    if (bytesTotal > std::numeric_limits<int>::max()) {
        // The bar counts in int: past 2 GiB, show per mille instead of bytes.
        ui->progressBar->setRange(0, 1000);
        ui->progressBar->setValue(int(bytesReceived * 1000 / bytesTotal));
    } else {
        // A zero maximum would turn the bar into a busy indicator.
        ui->progressBar->setRange(0, qMax(1, int(bytesTotal)));
        ui->progressBar->setValue(int(bytesReceived));
    }
    ui->labelProgressBytes->setText(
        progressText(bytesReceived, bytesTotal, tr(" ko downloaded on "), tr("% done")));
}

void Update::errorMessage(QNetworkReply::NetworkError)
{
    networkError = true;
    if (auto *failed = qobject_cast<QNetworkReply *>(sender()))
        showError(failed->errorString());
}
