// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher/livejournals.h"

#include "teacher/journalpaths.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSet>
#include <QTimer>

#include <deque>
#include <map>
#include <memory>

namespace teacher {

// Lives on the reading thread: finds journals, reads them, watches them.
class JournalReader : public QObject {
    Q_OBJECT
public:
    explicit JournalReader(std::atomic<int> *inFlight) : inFlight_(inFlight) {}
    void start();
    void add(const QString &path);

signals:
    void batch(const teacher::Reads &reads, const QStringList &problems, const QStringList &waiting, int done, int known,
               int added);

private:
    struct Journal {
        std::unique_ptr<GrowingJournal> file;
        qint64 size = -1;
        QDateTime modified;
        bool read = false;
        bool watched = false;
        QString error;   // why it cannot be read now
        bool missing = false;
    };
    struct Folder {
        QString root; // the folder named, whose canonical path it must stay under
        QDateTime modified;
        QString error;
    };
    void scan(const QString &dir, const QString &root);
    void addFile(const QString &path);
    void readOne(const QString &key, Journal &journal);
    void work();
    void poll();
    void flush();
    void changedSoon(const QString &path);

    std::atomic<int> *inFlight_;
    std::map<QString, Journal> files_;  // by absolute path: read in path order
    std::map<QString, Folder> folders_; // every folder below a folder named, by canonical path
    std::deque<QString> unread_;        // found and not read yet
    QStringList roundRobin_;            // what the poll looks at, a slice at a tick
    qsizetype nextInRound_ = 0;
    QSet<QString> changed_;             // noticed by the file system, read soon
    QFileSystemWatcher *watcher_ = nullptr;
    QTimer *pollTimer_ = nullptr, *workTimer_ = nullptr, *soonTimer_ = nullptr;
    QStringList toWatch_;
    Reads reads_;
    qsizetype lines_ = 0;
    int done_ = 0, added_ = 0, sentDone_ = -1, sentAdded_ = -1;
    bool problemsChanged_ = true;
};

void JournalReader::start()
{
    watcher_ = new QFileSystemWatcher(this);
    pollTimer_ = new QTimer(this);
    pollTimer_->setInterval(LiveJournals::kPollMs);
    connect(pollTimer_, &QTimer::timeout, this, &JournalReader::poll);
    workTimer_ = new QTimer(this);
    workTimer_->setSingleShot(true);
    connect(workTimer_, &QTimer::timeout, this, &JournalReader::work);
    // A pupil's line arrives as one write, but editors and copies write in bursts: gather them.
    soonTimer_ = new QTimer(this);
    soonTimer_->setSingleShot(true);
    soonTimer_->setInterval(30);
    connect(soonTimer_, &QTimer::timeout, this, [this] {
        const QSet<QString> changed = std::exchange(changed_, {});
        for (const QString &path : changed) {
            if (const auto folder = folders_.find(path); folder != folders_.end())
                scan(path, folder->second.root);
            else if (const auto file = files_.find(path); file != files_.end())
                readOne(file->first, file->second);
        }
        pollTimer_->setInterval(LiveJournals::kPollMs); // a class is finishing: look often for a while
        work();
    });
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &JournalReader::changedSoon);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &JournalReader::changedSoon);
}

void JournalReader::changedSoon(const QString &path)
{
    const QString key = QFileInfo(path).absoluteFilePath();
    // A file replaced or moved away takes its watch with it: watch the new one once it is read.
    if (const auto file = files_.find(key); file != files_.end() && !watcher_->files().contains(path))
        file->second.watched = false;
    changed_.insert(key);
    if (!soonTimer_->isActive())
        soonTimer_->start();
}

void JournalReader::add(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        const QString root = info.canonicalFilePath();
        if (!folders_.count(root))
            scan(root, root);
    } else {
        addFile(QDir::cleanPath(path));
    }
    ++added_;
    work();
}

// Walks a folder for journals: every file of the journal's name, readable or not (one that is not
// is named with its reason). A symbolic link is followed only while it stays inside the folder
// named, and a folder reached twice is walked once.
void JournalReader::scan(const QString &dir, const QString &root)
{
    const QFileInfo info(dir);
    Folder &folder = folders_[dir];
    const bool known = !folder.root.isEmpty();
    folder.root = root;
    folder.modified = info.lastModified();
    const QString error = !info.exists()                                 ? QStringLiteral("теки вже немає")
                          : !info.isReadable() || !info.isExecutable() ? QStringLiteral("немає доступу")
                                                                         : QString();
    const QString message = error.isEmpty() ? QString()
                                            : QStringLiteral("Не вдалося прочитати теку «%1» (%2)")
                                                  .arg(QDir::toNativeSeparators(dir), error);
    if (folder.error != message) {
        folder.error = message;
        problemsChanged_ = true;
    }
    if (!known) {
        roundRobin_ << dir;
        toWatch_ << dir;
    }
    if (!error.isEmpty())
        return;
    const QString name = journalFileName();
    const QFileInfoList entries =
        QDir(dir).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir()) {
            const QString below = entry.canonicalFilePath();
            if (below.isEmpty() || folders_.count(below) || !(below + u'/').startsWith(root + u'/'))
                continue;
            scan(below, root);
        } else if (entry.fileName() == name) {
            addFile(entry.absoluteFilePath());
        }
    }
}

void JournalReader::addFile(const QString &path)
{
    // One file named twice (a folder and a file in it, a relative and an absolute path) is read once.
    const QString key = QFileInfo(path).absoluteFilePath();
    if (files_.count(key))
        return;
    Journal &journal = files_[key];
    journal.file = std::make_unique<GrowingJournal>(path);
    unread_.push_back(key);
    roundRobin_ << key;
}

void JournalReader::readOne(const QString &key, Journal &journal)
{
    const QString path = journal.file->path(); // a copy: the reader may be replaced below
    const QFileInfo info(path);
    const bool sameSizeEdit = journal.read && info.exists() && info.size() == journal.size && info.lastModified() != journal.modified;
    journal.size = info.size();
    journal.modified = info.lastModified();
    if (!journal.read) {
        journal.read = true;
        ++done_;
    }
    const bool missing = !info.exists();
    if (missing != journal.missing) {
        journal.missing = missing;
        problemsChanged_ = true;
    }
    if (missing)
        return;
    // An edit that kept the size (a grade typed over) leaves nothing new at the end: read it whole.
    if (sameSizeEdit)
        journal.file = std::make_unique<GrowingJournal>(path);
    ReadResult result = journal.file->read();
    if (journal.error != result.error) {
        journal.error = result.error;
        problemsChanged_ = true;
    }
    if (!result.error.isEmpty())
        return;
    if (!journal.watched) {
        journal.watched = true;
        toWatch_ << key;
    }
    if (result.fromStart || !result.lines.isEmpty()) {
        lines_ += result.lines.size();
        reads_.append({path, std::move(result)});
    }
}

// Reads what was found and not read yet, in rounds small enough for the window to take in one go.
void JournalReader::work()
{
    if (inFlight_->load() >= 2) { // the window has not taken the last rounds yet
        workTimer_->start(5);
        return;
    }
    QElapsedTimer clock;
    clock.start();
    while (!unread_.empty() && lines_ < 20000 && clock.elapsed() < 50) {
        const QString key = unread_.front();
        unread_.pop_front();
        readOne(key, files_[key]);
    }
    flush();
    if (!unread_.empty())
        workTimer_->start(0);
    else if (!pollTimer_->isActive())
        pollTimer_->start();
}

void JournalReader::flush()
{
    if (!toWatch_.isEmpty()) // those the system cannot watch are left to the poll
        watcher_->addPaths(std::exchange(toWatch_, {}));
    if (reads_.isEmpty() && !problemsChanged_ && done_ == sentDone_ && added_ == sentAdded_)
        return;
    sentDone_ = done_;
    sentAdded_ = added_;
    QStringList problems, waiting;
    for (const auto &[dir, folder] : folders_)
        if (!folder.error.isEmpty())
            problems << folder.error;
    for (const auto &[key, journal] : files_) {
        if (journal.missing)
            waiting << QStringLiteral("Журналу «%1» ще немає: його буде прочитано, щойно він з'явиться")
                           .arg(QDir::toNativeSeparators(journal.file->path()));
        else if (!journal.error.isEmpty())
            problems << journal.error;
    }
    problemsChanged_ = false;
    ++*inFlight_;
    emit batch(std::exchange(reads_, {}), problems, waiting, done_, int(files_.size()), added_);
    lines_ = 0;
}

void JournalReader::poll()
{
    bool changed = false;
    const qsizetype count = std::min<qsizetype>(LiveJournals::kPerPoll, roundRobin_.size());
    for (qsizetype n = 0; n < count; ++n, ++nextInRound_) {
        if (nextInRound_ >= roundRobin_.size())
            nextInRound_ = 0;
        const QString &path = roundRobin_[nextInRound_];
        const QFileInfo info(path);
        if (const auto folder = folders_.find(path); folder != folders_.end()) {
            if (info.lastModified() != folder->second.modified || !folder->second.error.isEmpty()) {
                const size_t before = files_.size();
                scan(path, folder->second.root);
                changed |= files_.size() != before;
            }
        } else if (const auto file = files_.find(path); file != files_.end()) {
            Journal &journal = file->second;
            if (info.size() != journal.size || info.lastModified() != journal.modified || !journal.error.isEmpty()) {
                const qsizetype before = reads_.size();
                readOne(file->first, journal);
                changed |= reads_.size() != before;
            }
        }
    }
    // Soon again after a change; less and less often while nothing changes.
    pollTimer_->setInterval(changed ? LiveJournals::kPollMs : std::min(pollTimer_->interval() * 2, LiveJournals::kPollMaxMs));
    work();
}

LiveJournals::LiveJournals(QObject *parent) : QObject(parent), reader_(new JournalReader(&inFlight_))
{
    reader_->moveToThread(&thread_);
    connect(&thread_, &QThread::started, reader_, &JournalReader::start);
    connect(&thread_, &QThread::finished, reader_, &QObject::deleteLater);
    connect(reader_, &JournalReader::batch, this, &LiveJournals::take);
    thread_.setObjectName(QStringLiteral("journal reader"));
    thread_.start();
}

LiveJournals::~LiveJournals()
{
    thread_.quit();
    thread_.wait();
}

void LiveJournals::add(const QString &path)
{
    ++adds_;
    QMetaObject::invokeMethod(reader_, [reader = reader_, path] { reader->add(path); }, Qt::QueuedConnection);
}

void LiveJournals::take(const Reads &reads, const QStringList &problems, const QStringList &waiting, int done,
                        int known, int added)
{
    --inFlight_;
    done_ = done;
    known_ = known;
    added_ = added;
    if (problems != problems_ || waiting != waiting_) {
        problems_ = problems;
        waiting_ = waiting;
        emit problemsChanged();
    }
    if (!reads.isEmpty())
        emit read(reads);
    emit progress(done, known);
}

} // namespace teacher

#include "livejournals.moc"
