// The reasons of port and file errors in four languages, told after the error's message.
#include "ErrorTexts.h"

namespace dorv {

QString PortOpenReason(PortOpenError error, Language language) {
    switch (error) {
    case PortOpenError::NotFound:
        return MessageFor(&LanguageMessages::MsgPortNotFound, language);
    case PortOpenError::PermissionDenied:
        return MessageFor(&LanguageMessages::MsgPortPermissionDenied, language);
    case PortOpenError::Busy:
        return MessageFor(&LanguageMessages::MsgPortBusy, language);
    case PortOpenError::None:
    case PortOpenError::Other:
        break;
    }
    return MessageFor(&LanguageMessages::MsgPortOther, language);
}

QString PortDiagnosisText(const PortDiagnosis& d, Language language) {
    switch (d.Kind) {
    case PortOpenError::NotFound: {
        QStringList present;
        for (const auto& path : d.PresentDevices)
            present << QString::fromStdString(path);
        return MessageFor(&LanguageMessages::MsgPortNotFound, language) + QStringLiteral("; ") +
               (present.isEmpty() ? MessageFor(&LanguageMessages::MsgNoPortPresent, language)
                                  : MessageFor(&LanguageMessages::MsgPortsPresent, language)
                                        .arg(present.join(", ")));
    }
    case PortOpenError::PermissionDenied:
        return MessageFor(&LanguageMessages::MsgPortNoPermission, language)
            .arg(QString::fromStdString(d.Group), QString::fromStdString(d.Command));
    case PortOpenError::Busy: {
        if (!d.HolderPid)
            return MessageFor(&LanguageMessages::MsgPortBusy, language);
        QString holder = QString::number(*d.HolderPid);
        if (!d.HolderName.empty())
            holder += QLatin1Char(' ') + QString::fromStdString(d.HolderName);
        return MessageFor(&LanguageMessages::MsgPortBusyBy, language).arg(holder);
    }
    case PortOpenError::None:
    case PortOpenError::Other:
        break;
    }
    if (d.SystemReason.empty())
        return MessageFor(&LanguageMessages::MsgPortOther, language);
    return MessageFor(&LanguageMessages::MsgPortOtherBecause, language)
        .arg(QString::fromStdString(d.SystemReason));
}

QString ComOpenErrorText(const LanguageMessages& messages, const ComOpenResult& result,
                         Language language) {
    const QString reason = result.Diagnosis ? PortDiagnosisText(*result.Diagnosis, language)
                                            : PortOpenReason(result.Error, language);
    return messages.MsgComOpenError + QLatin1Char('\n') + QString::fromStdString(result.Device) +
           QStringLiteral(": ") + reason;
}

QString FileWriteReason(FileWriteError error, Language language) {
    switch (error) {
    case FileWriteError::FolderNotMade:
        return MessageFor(&LanguageMessages::MsgFolderNotMade, language);
    case FileWriteError::PermissionDenied:
        return MessageFor(&LanguageMessages::MsgWritePermissionDenied, language);
    case FileWriteError::CannotCreate:
        return MessageFor(&LanguageMessages::MsgFileNotCreated, language);
    case FileWriteError::WriteFailed:
        return MessageFor(&LanguageMessages::MsgWriteFailed, language);
    case FileWriteError::NotReplaced:
        return MessageFor(&LanguageMessages::MsgNotReplaced, language);
    case FileWriteError::None:
    case FileWriteError::Refused:
        break;
    }
    return MessageFor(&LanguageMessages::MsgWriteRefused, language);
}

QString FileRefusalReason(const RefusalFacts& facts, Language language) {
    switch (facts.Kind) {
    case ParameterFileRefusal::None:
    case ParameterFileRefusal::Empty:        // the message says it all
    case ParameterFileRefusal::NoParameters: // likewise
        break;
    case ParameterFileRefusal::CannotRead:
        return MessageFor(&LanguageMessages::MsgCannotRead, language);
    case ParameterFileRefusal::NoKeyLine:
        return MessageFor(&LanguageMessages::MsgNoKeyLine, language);
    case ParameterFileRefusal::EndsInNumbers:
        // One pass over the text: a word of the file that looks like "%2" stays as it is.
        return MessageFor(&LanguageMessages::MsgEndsInNumbers, language)
            .arg(QString::fromStdString(facts.KeyWord), QString::number(facts.KeyWordLine),
                 QString::number(facts.NumberCount));
    case ParameterFileRefusal::NotANumber:
        return MessageFor(&LanguageMessages::MsgNotANumber, language)
            .arg(QString::number(facts.FoundLine), QString::fromStdString(facts.FoundWord),
                 QString::fromStdString(facts.KeyWord), QString::number(facts.KeyWordLine),
                 QString::number(facts.NumberCount));
    }
    return {};
}

} // namespace dorv
