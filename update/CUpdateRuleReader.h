#pragma once

#include "PatchFileInfo.h"
#include "RuleContext.h"

#include "platform/RegularFile.h"

#include <QDomElement>
#include <QDomNode>
#include <QHash>
#include <QString>

#include <atomic>
#include <memory>

class QFile;
class TextLog;

// Reads a downloaded update rules file and appends to a patch list every installed file that a rule
// for this edition and version says is to be replaced: missing, older than the rule's version, or with
// another MD5 digest. Each file added, and each rule refused, gets a line in "update.log", every text from
// the rules (the rules file's own name included) with its control characters escaped. A rules file with a
// document type declaration is not read; a rule naming anything but a regular file (a folder, FIFO, socket
// or device) is refused without opening it, and each file is read at most once per reader however many
// rules name it, by whatever path.
// A reader may run on a thread of its own: it touches nothing but its own members, the log and the files it
// checks, and it gives up between two rules, or inside a digest, once the stop flag it was given is set.
//
//   <update switch="on">
//     <linux>
//       <Patch product="common"> <File path="%APPPATH%/a" version="1.2" url="..."/> ... </Patch>
//       <Brand>
//         <Patch product="RegName" version="Version" switch="on" private="true">
//           <File path="%APPPATH%/b" MD5="..." url="..."/>
//           <File path="%APPPATH%/a" private="false"/>   (stands for the common rule of that path)
//         </Patch>
//       </Brand>
//     </linux>
//   </update>
class CUpdateRuleReader {
public:
    explicit CUpdateRuleReader(const RuleContext& context, const std::atomic_bool* stop = nullptr);
    ~CUpdateRuleReader();

    CUpdateRuleReader(const CUpdateRuleReader&) = delete;
    CUpdateRuleReader& operator=(const CUpdateRuleReader&) = delete;

    // False, with the reason in why, when the file is no update rules document that could be read; true when
    // it was read, whether or not anything in it applies.
    bool ReadRules(PatchFileList& list, const QString& rulesPath, QString* why = nullptr);

private:
    QDomElement FindCommonPatch(const QDomElement& platform) const;
    QDomElement FindProductPatch(const QDomElement& platform) const;
    void ReadPrivateRules(PatchFileList& list, const QDomElement& productPatch);
    void ReadCommonRules(PatchFileList& list);
    void IndexCommonRules();
    QDomElement FindCommonFile(const QString& path) const;
    void EvaluateFileRule(PatchFileList& list, const QDomElement& rule);
    QString ExpandAppPath(const QString& path) const;
    // 0 the file needs the update, 1 it is current, 2 it is newer or the type is unknown.
    // file is closed when it could not be read.
    int CheckRule(const QString& type, const QString& value, QFile& file, const platform::FileIdentity& identity);
    QString FileMd5(QFile& file, const platform::FileIdentity& identity);
    QString FileVersion(QFile& file, const platform::FileIdentity& identity);
    bool Stopped() const;
    void WriteLog(int level, const QString& message);

    RuleContext m_context;
    QDomElement m_commonPatch;
    // The first common rule of each path: private rules standing for common ones look them up here.
    QHash<QString, QDomElement> m_commonByPath;
    // What is known of each file so far, by the file itself rather than by any of its names.
    struct FileFacts {
        QString md5;
        bool md5Known = false;
        QString version;
        bool versionKnown = false;
    };
    QHash<platform::FileIdentity, FileFacts> m_facts;
    const std::atomic_bool* m_stop;
    std::unique_ptr<TextLog> m_log;
};

// Compares a file's dotted version a with a rule's version b as far as the shorter one goes: 0 when a is
// older, 1 when they are equal that far, 2 when a is newer. A field that is no number counts as 0.
int CompareVersionFields(const QString& a, const QString& b);
