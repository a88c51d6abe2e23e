// SPDX-FileCopyrightText: 2026 The netquiz developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/commandline.h"

#include "control/console.h"

#include "result/classfolder.h"
#include "result/journal.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

#ifdef Q_OS_WIN
// clang-format off
#include <windows.h>
#include <shellapi.h> // needs windows.h before it
// clang-format on
#endif

#ifdef Q_OS_WIN
// A quote cannot be part of a file's name on Windows.
constexpr bool kQuoteIsNoName = true;
#else
constexpr bool kQuoteIsNoName = false;
#endif

// A folder named with a separator at its end is the folder itself ("C:\share\9b\", "/mnt/9b/").
// A quote at the end, where no name holds one, is what Windows leaves of `"C:\share\9b\"`: it
// reads `\"` as a quote that does not close, so the blanks after it (before a `> file` typed at
// cmd.exe's prompt) come along too. A root ("C:\", "/") stays what it is.
static QString folderValue(QString value)
{
    if (kQuoteIsNoName) {
        while (value.endsWith(QLatin1Char(' ')) || value.endsWith(QLatin1Char('\t')))
            value.chop(1);
        if (value.endsWith(QLatin1Char('"')))
            value.chop(1);
    }
    const QString root = QDir::fromNativeSeparators(value).section(QLatin1Char('/'), 0, 0) + QLatin1Char('/');
    while (value.size() > root.size() && (value.endsWith(QLatin1Char('/')) || value.endsWith(QDir::separator())))
        value.chop(1);
    return value;
}

static QStringList &unseenLines()
{
    static QStringList lines;
    return lines;
}

void printLine(FILE *stream, const QString &text)
{
    const std::u16string_view line(reinterpret_cast<const char16_t *>(text.utf16()), std::size_t(text.size()));
    if (!console::writeLine(stream == stdout ? console::Stream::Out : console::Stream::Err, line))
        unseenLines() << text;
}

QString takeUnseenText()
{
    const QString text = unseenLines().join(QLatin1Char('\n'));
    unseenLines().clear();
    return text;
}

static QStringList argumentsOf(int argc, char **argv)
{
    QStringList arguments;
#ifdef Q_OS_WIN
    // argv holds the ANSI code page's rendering of the command line; a path with letters outside
    // it would arrive broken. The wide command line is what the user typed.
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    int count = 0;
    if (LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            arguments << QString::fromWCharArray(wide[i]);
        LocalFree(wide);
    }
#else
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
#endif
    return arguments;
}

static QString helpText()
{
    return QStringLiteral(
               "Використання:\n"
               "  netquiz [--journal ФАЙЛ | --class-folder ТЕКА]   почати тест\n"
               "  netquiz --make-class-folder ТЕКА   підготувати спільну теку класу\n"
               "  netquiz --results [ШЛЯХ...]   показати результати учнів\n"
               "  netquiz --results --csv ФАЙЛ.csv [ШЛЯХ...]\n"
               "                      записати результати у CSV, без вікна\n"
               "  netquiz --results --pdf ФАЙЛ.pdf [ШЛЯХ...]\n"
               "                      записати звіт класу у PDF, без вікна\n"
               "  netquiz --results --items-csv ФАЙЛ.csv [ШЛЯХ...]\n"
               "                      записати у CSV, хто помилився в якому питанні, без вікна\n"
               "  netquiz --guide     довідка для вчителя\n"
               "\n"
               "Параметри:\n"
               "  --journal ФАЙЛ      записувати результат учня у ФАЙЛ (наприклад, у спільній\n"
               "                      теці класу) замість журналу\n"
               "                      %1\n"
               "  --class-folder ТЕКА записувати результат учня у ТЕКА/<ім'я комп'ютера>/1.txt:\n"
               "                      так комп'ютери класу збирають результати в одній спільній\n"
               "                      теці; ТЕКА має бути позначена як тека класу\n"
               "                      (--make-class-folder), інакше результат лишається на\n"
               "                      цьому комп'ютері\n"
               "  --make-class-folder ТЕКА\n"
               "                      позначити ТЕКА (і створити, якщо її немає) як спільну\n"
               "                      теку класу: покласти в неї файл %3;\n"
               "                      без вікна\n"
               "  --results [ШЛЯХ...] кожен ШЛЯХ - файл журналу або тека, у якій читаються всі\n"
               "                      файли %2, також у підтеках; без шляху - журнал цього\n"
               "                      комп'ютера і журнал з --journal\n"
               "  --csv ФАЙЛ.csv      разом з --results: таблиця для електронних таблиць\n"
               "                      (UTF-8, «;»)\n"
               "  --pdf ФАЙЛ.pdf      разом з --results: звіт класу на сторінках A4 (заголовок,\n"
               "                      учні, підсумок і діаграма оцінок)\n"
               "  --items-csv ФАЙЛ.csv\n"
               "                      разом з --results: таблиця питань (частка правильних\n"
               "                      відповідей, хто помилився і що відповів) з файлів\n"
               "                      подробиць біля журналів\n"
               "  --class-list ФАЙЛ   разом з --results: список класу, по учню в рядку (UTF-8\n"
               "                      або Windows-1251); назва файлу без розширення - клас\n"
               "                      (9-А.txt - клас 9-А); учні зі списку без результату -\n"
               "                      рядки «не складав(ла)»; можна вказати кілька разів\n"
               "  --attempt ПРАВИЛО   разом з --results: яку спробу учня враховувати: latest\n"
               "                      (остання, типово), best (найкраща) або first (перша)\n"
               "  --guide             показати у вікні довідку для вчителя: як установити тест\n"
               "                      у класі, зібрати журнали й читати результати\n"
               "  -h, --help          ця довідка\n"
               "  -v, --version       версія програми\n"
               "\n"
               "Код завершення: 0 - гаразд; 1 - немає графічного сеансу; 2 - помилка\n"
               "в командному рядку, або файл CSV чи PDF не записано (не вдалося записати;\n"
               "це файл, який читається, чи файл %2), або теку класу не підготовлено;\n"
               "3 - файли записано, але якийсь журнал, теку чи список не вдалося прочитати\n"
               "(кожен названо з причиною).")
        .arg(QDir::toNativeSeparators(journal::defaultFile()), QFileInfo(journal::defaultFile()).fileName(),
             classfolder::markerName());
}

// Qt needs a display for a window; without one it aborts with advice that does not fit here.
static bool noDisplay()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return false;
#endif
}

static CommandLine done(int exitCode, FILE *stream, const QString &text)
{
    printLine(stream, text);
    CommandLine line;
    line.mode = CommandLine::Mode::Done;
    line.exitCode = exitCode;
    return line;
}

static CommandLine usageError(const QString &what)
{
    return done(CommandLine::kUsageError, stderr,
                QStringLiteral("netquiz: %1\nДовідка: netquiz --help").arg(what));
}

CommandLine readCommandLine(int argc, char **argv)
{
    const QCommandLineOption journalOption(QStringLiteral("journal"), {}, QStringLiteral("ФАЙЛ"));
    const QCommandLineOption classFolderOption(QStringLiteral("class-folder"), {}, QStringLiteral("ТЕКА"));
    const QCommandLineOption makeClassFolderOption(QStringLiteral("make-class-folder"), {}, QStringLiteral("ТЕКА"));
    const QCommandLineOption resultsOption(QStringLiteral("results"));
    const QCommandLineOption csvOption(QStringLiteral("csv"), {}, QStringLiteral("ФАЙЛ.csv"));
    const QCommandLineOption pdfOption(QStringLiteral("pdf"), {}, QStringLiteral("ФАЙЛ.pdf"));
    const QCommandLineOption itemsCsvOption(QStringLiteral("items-csv"), {}, QStringLiteral("ФАЙЛ.csv"));
    const QCommandLineOption listOption(QStringLiteral("class-list"), {}, QStringLiteral("ФАЙЛ"));
    const QCommandLineOption attemptOption(QStringLiteral("attempt"), {}, QStringLiteral("ПРАВИЛО"));
    const QCommandLineOption guideOption(QStringLiteral("guide"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")});
    const QCommandLineOption versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    QCommandLineParser parser;
    // -results as --results: how Windows shortcuts are often written.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({journalOption, classFolderOption, makeClassFolderOption, resultsOption, csvOption, pdfOption,
                       itemsCsvOption, listOption, attemptOption, guideOption, helpOption, versionOption});

    const QStringList arguments = argumentsOf(argc, argv);
    if (!parser.parse(arguments)) {
        if (!parser.unknownOptionNames().isEmpty()) {
            const QString name = parser.unknownOptionNames().constFirst();
            return usageError(QStringLiteral("невідомий параметр «%1%2»").arg(name.size() > 1 ? "--" : "-", name));
        }
        return usageError(QStringLiteral("параметр «%1» потребує значення").arg(arguments.constLast()));
    }
    if (parser.isSet(helpOption))
        return done(0, stdout, helpText());
    if (parser.isSet(versionOption))
        return done(0, stdout, QStringLiteral("netquiz " NETQUIZ_VERSION));

    if (parser.isSet(makeClassFolderOption)) {
        const QString dir = folderValue(parser.value(makeClassFolderOption));
        if (dir.isEmpty())
            return usageError(QStringLiteral("параметр «--make-class-folder» потребує значення"));
        if (parser.optionNames().size() > 1 || !parser.positionalArguments().isEmpty())
            return usageError(QStringLiteral("«--make-class-folder» задають окремо, без інших параметрів"));
        if (const QString why = classfolder::mark(dir, true); !why.isEmpty())
            return done(CommandLine::kUsageError, stderr,
                        QStringLiteral("netquiz: теку класу не підготовлено: %1").arg(why));
        return done(
            0, stdout,
            QStringLiteral("Теку класу підготовлено: %1").arg(QDir::toNativeSeparators(QDir(dir).absolutePath())));
    }

    if (parser.isSet(guideOption)) {
        if (parser.optionNames().size() > 1 || !parser.positionalArguments().isEmpty())
            return usageError(QStringLiteral("«--guide» задають окремо, без інших параметрів"));
        if (noDisplay())
            return done(CommandLine::kNoDisplay, stderr, QStringLiteral("netquiz: потрібен графічний сеанс."));
        CommandLine line;
        line.mode = CommandLine::Mode::Guide;
        return line;
    }

    CommandLine line;
    const bool results = parser.isSet(resultsOption);
    if (parser.isSet(journalOption)) {
        const QString value = parser.value(journalOption);
        if (value.isEmpty())
            return usageError(QStringLiteral("параметр «--journal» потребує значення"));
        line.journalFile = QDir::cleanPath(QDir::current().absoluteFilePath(value));
    }
    if (parser.isSet(classFolderOption)) {
        const QString value = folderValue(parser.value(classFolderOption));
        if (value.isEmpty())
            return usageError(QStringLiteral("параметр «--class-folder» потребує значення"));
        if (parser.isSet(journalOption))
            return usageError(QStringLiteral("задайте або «--journal», або «--class-folder», не обидва"));
        // One file per computer: appends from several computers to one file on a share are not safe.
        line.classFolder = QDir::cleanPath(QDir::current().absoluteFilePath(value));
        line.journalFile = QDir::cleanPath(journal::fileInClassFolder(line.classFolder, QSysInfo::machineHostName()));
    }
    for (const QCommandLineOption *option : {&csvOption, &pdfOption, &itemsCsvOption, &listOption, &attemptOption})
        if (parser.isSet(*option) && !results)
            return usageError(QStringLiteral("«--%1» діє лише разом з «--results»").arg(option->names().constFirst()));
    if (!results && !parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("зайвий аргумент «%1»: шляхи до журналів приймає лише «--results»")
                              .arg(parser.positionalArguments().constFirst()));

    if (results) {
        for (const QString &path : parser.positionalArguments())
            line.resultPaths << folderValue(path);
        if (line.resultPaths.isEmpty()) {
            line.resultPaths << journal::defaultFile();
            if (!line.journalFile.isEmpty() && line.journalFile != QDir::cleanPath(journal::defaultFile()))
                line.resultPaths << line.journalFile;
        }
        line.mode = CommandLine::Mode::Results;
        line.classLists = parser.values(listOption);
        if (line.classLists.contains(QString()))
            return usageError(QStringLiteral("параметр «--class-list» потребує значення"));
        if (parser.isSet(attemptOption)) {
            line.attempt = parser.value(attemptOption);
            if (!QStringList{QStringLiteral("latest"), QStringLiteral("best"), QStringLiteral("first")}.contains(line.attempt))
                return usageError(QStringLiteral("«--attempt %1»: правило - latest, best або first").arg(line.attempt));
        }
        const std::pair<const QCommandLineOption *, QString *> outputs[] = {
            {&csvOption, &line.csvFile}, {&pdfOption, &line.pdfFile}, {&itemsCsvOption, &line.itemsCsvFile}};
        for (const auto &[option, file] : outputs) {
            if (!parser.isSet(*option))
                continue;
            *file = parser.value(*option);
            if (file->isEmpty())
                return usageError(QStringLiteral("параметр «--%1» потребує значення").arg(option->names().constFirst()));
            line.mode = CommandLine::Mode::Export;
        }
        if (line.mode == CommandLine::Mode::Export)
            return line;
    }
    if (line.journalFile.isEmpty())
        line.journalFile = journal::defaultFile();
    if (noDisplay())
        return done(CommandLine::kNoDisplay, stderr,
                    QStringLiteral("netquiz: потрібен графічний сеанс: не задано ні DISPLAY, ні WAYLAND_DISPLAY.\n"
                                   "netquiz: a graphical session is needed: neither DISPLAY nor WAYLAND_DISPLAY is set."));
    return line;
}
