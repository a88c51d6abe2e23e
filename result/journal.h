#pragma once
// The result journal file: records appended one at a time, never rewritten. By default
// <drive>/test/Internet/1.txt, where drive C stands for the journal's home on this system.

#include <QByteArray>
#include <QString>

namespace journal {

// The journal under a folder that stands for drive C.
QString fileUnder(const QString &drive);
// C:\test\Internet\1.txt on Windows; under the user's home folder elsewhere.
QString defaultFile();

// What became of a save; the message is Ukrainian, names the file and the reason.
struct Outcome {
    bool ok = false;
    QString message;
};

// Makes the missing folders on the way (parent first) and appends the record with a single
// write. A failed or short write leaves the file exactly as it was, unless someone else appended
// in the meantime.
Outcome append(const QString &file, const QByteArray &record);

} // namespace journal
