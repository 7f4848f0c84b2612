#ifndef UPDATE_H
#define UPDATE_H

#include <QDialog>
#include <QNetworkReply>
#include <QPointer>
#include <QString>

#include <memory>

class QNetworkAccessManager;
class QSaveFile;
class QTimer;
class Ui_Update;

// The update dialog: checks the update server for a newer version, at
// construction (unseen) and on "Check now !", and downloads the announced
// file into a folder the user chooses. GUI thread only; all transfers are
// asynchronous. It never writes anywhere but the chosen folder, and there
// only a complete file under a plain name. A build without an update server
// URL sends no request at all. The information file is refused past 64 KiB;
// a transfer ends when the server falls silent, and a check also when the
// whole file takes too long.
class Update : public QDialog
{
    Q_OBJECT

public:
    explicit Update(QWidget *parent = nullptr);
    ~Update() override;

    // Base URL (ending with "/") of every later request; empty turns checks off.
    static void setBaseUrl(const QString &url);
    static QString baseUrl();
    // How long a transfer may stay silent, and how long the information file
    // may take in all, for dialogs created later.
    static void setTimeouts(int silenceMs, int informationMs);

signals:
    void updateIsAvailable();

private slots:
    void downloadUpdateInfos();
    void checkForUpdateInfos();
    void downloadSoftware();
    void saveSoftware();
    void progress(qint64 bytesReceived, qint64 bytesTotal);
    void errorMessage(QNetworkReply::NetworkError);

private:
    QNetworkReply *get(const QString &name);
    void abortTransfer(const QString &reason);
    void refuseLargeInformation(QNetworkReply *check);
    bool writeReceived(QNetworkReply *download, QSaveFile &file);
    void endTransfer();
    void showError(const QString &text);

    Ui_Update *ui;
    QNetworkAccessManager *manager;
    QTimer *silence;
    QTimer *deadline;
    QPointer<QNetworkReply> reply;
    // Set before this dialog aborts a transfer, so the user reads why.
    QString abortReason;
    std::unique_ptr<QSaveFile> target;
    QString currentVersion;
    QString fileName;
    QString saveDirectory;
    bool updateFound = false;
    bool networkError = false;
};

#endif // UPDATE_H
