#include "update.h"
#include "ui_update.h"
#include "updaterecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

#include <limits>

namespace {

QString &baseUrlStorage()
{
    static QString url = QStringLiteral(TAVRELO_UPDATE_URL);
    return url;
}

// A stalled or trickling server must not leave the buttons disabled for good.
int silenceTimeoutMs = 30000;
int informationTimeoutMs = 30000;

const QString informationFileName = QStringLiteral("update_win32.txt");

// The record is one short line; anything much larger is not what we asked for.
constexpr qint64 informationSizeCap = 64 * 1024;

QString seconds(int ms)
{
    return QString::number(ms / 1000.0);
}

} // namespace

Update::Update(QWidget *parent)
    : QDialog(parent), ui(new Ui_Update), manager(new QNetworkAccessManager(this)),
      silence(new QTimer(this)), deadline(new QTimer(this))
{
    ui->setupUi(this);
    currentVersion = QCoreApplication::applicationVersion();
    ui->labelCurrentVers->setText(QCoreApplication::applicationVersion());
    ui->labelError->hide();
    ui->labelProgressBytes->hide();

    silence->setSingleShot(true);
    silence->setInterval(silenceTimeoutMs);
    connect(silence, &QTimer::timeout, this, [this] {
        abortTransfer(
            tr("The update server did not answer within %1 s").arg(seconds(silence->interval())));
    });
    deadline->setSingleShot(true);
    deadline->setInterval(informationTimeoutMs);
    connect(deadline, &QTimer::timeout, this, [this] {
        abortTransfer(tr("The update server did not send the update information within %1 s")
                          .arg(seconds(deadline->interval())));
    });

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

void Update::setTimeouts(int silenceMs, int informationMs)
{
    silenceTimeoutMs = silenceMs;
    informationTimeoutMs = informationMs;
}

QNetworkReply *Update::get(const QString &name)
{
    // Each request is a fresh attempt: an earlier failure must not swallow it.
    networkError = false;
    abortReason.clear();
    const QUrl url(baseUrl() + QCoreApplication::applicationName() + QStringLiteral("/dl/")
                       + QString::fromLatin1(QUrl::toPercentEncoding(name)),
                   QUrl::StrictMode);
    QNetworkRequest request(url);
    // What is downloaded is a program: never follow a redirect to a less safe scheme.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    reply = manager->get(request);
    connect(reply, &QNetworkReply::errorOccurred, this, &Update::errorMessage);
    connect(reply, &QNetworkReply::downloadProgress, this, &Update::progress);
    // Headers or data are signs of life; only silence counts.
    connect(reply, &QNetworkReply::metaDataChanged, silence, qOverload<>(&QTimer::start));
    connect(reply, &QNetworkReply::readyRead, silence, qOverload<>(&QTimer::start));
    silence->start();
    return reply;
}

void Update::abortTransfer(const QString &reason)
{
    if (!reply || reply->isFinished())
        return;
    abortReason = reason;
    reply->abort();
}

void Update::refuseLargeInformation(QNetworkReply *check)
{
    const qint64 announced = check->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    if (announced > informationSizeCap || check->bytesAvailable() > informationSizeCap)
        abortTransfer(tr("The update information is larger than %1 KiB and was refused")
                          .arg(informationSizeCap / 1024));
}

void Update::endTransfer()
{
    silence->stop();
    deadline->stop();
    ui->progressBar->setValue(0);
    ui->pushCheckNow->setEnabled(true);
}

void Update::showError(const QString &text)
{
    ui->labelError->setText(QStringLiteral("<font color='Red'>\n") + text.toHtmlEscaped()
                            + QStringLiteral("</font>"));
    ui->labelError->show();
}

void Update::downloadUpdateInfos()
{
    if (baseUrl().isEmpty()) {
        // Distributions ship updates themselves; this build asks no server.
        ui->labelDownload->setText(tr("Update checks are turned off in this build."));
        ui->pushCheckNow->setEnabled(false);
        return;
    }
    ui->pushCheckNow->setEnabled(false);
    ui->labelError->hide();
    ui->labelProgressBytes->hide();
    ui->labelDownload->setText(tr("Checking…"));
    QNetworkReply *check = get(informationFileName);
    // One byte past the cap is enough to refuse; more is never held.
    check->setReadBufferSize(informationSizeCap + 1);
    connect(check, &QNetworkReply::metaDataChanged, this,
            [this, check] { refuseLargeInformation(check); });
    connect(check, &QNetworkReply::readyRead, this,
            [this, check] { refuseLargeInformation(check); });
    connect(check, &QNetworkReply::finished, this, &Update::checkForUpdateInfos);
    deadline->start();
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
        } else {
            ui->labelDownload->setText(tr("No updates available."));
        }
    } else {
        // The red line says why.
        ui->labelDownload->setText(tr("The check failed."));
    }
    endTransfer();
}

void Update::downloadSoftware()
{
    saveDirectory = QFileDialog::getExistingDirectory(this, tr("Save file"), QDir::homePath(),
                                                      QFileDialog::ShowDirsOnly);
    if (saveDirectory.isEmpty())
        return;

    ui->labelError->hide();
    // QSaveFile leaves either the whole new file or the old state, never a
    // part. Unbuffered, a failed write reports its reason at once.
    target = std::make_unique<QSaveFile>(saveDirectory + QDir::separator() + fileName);
    if (!target->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        showError(tr("Cannot save the download: %1").arg(target->errorString()));
        target.reset();
        return;
    }
    ui->pushDownload->setEnabled(false);
    ui->pushCheckNow->setEnabled(false);
    ui->labelProgressBytes->show();
    QNetworkReply *download = get(fileName);
    connect(download, &QNetworkReply::readyRead, this, [this, download] {
        if (target && !writeReceived(download, *target))
            abortTransfer(tr("Cannot save the download: %1").arg(target->errorString()));
    });
    connect(download, &QNetworkReply::finished, this, &Update::saveSoftware);
}

bool Update::writeReceived(QNetworkReply *download, QSaveFile &file)
{
    const QByteArray chunk = download->readAll();
    qint64 written = 0;
    // A short write carries no reason; the next attempt fails with the system's own.
    while (written < chunk.size()) {
        const qint64 n = file.write(chunk.constData() + written, chunk.size() - written);
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

void Update::saveSoftware()
{
    auto *download = qobject_cast<QNetworkReply *>(sender());
    if (!download)
        return;
    download->deleteLater();
    endTransfer();
    ui->pushDownload->setEnabled(true);

    // Whatever happens below, an uncommitted file is discarded with it.
    const std::unique_ptr<QSaveFile> file = std::move(target);
    if (networkError || download->error() != QNetworkReply::NoError || !file)
        return;
    if (!writeReceived(download, *file) || !file->commit()) {
        showError(tr("Cannot save the download: %1").arg(file->errorString()));
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
        showError(abortReason.isEmpty() ? failed->errorString() : abortReason);
}
