// The reasons of port and file errors in four languages, told after the error's message.
#pragma once

#include <QString>

#include "ComPort.h"
#include "FileSystem.h"
#include "Jazyk2.h"
#include "ParameterFile.h"

namespace dorv {

// Why a port could not be opened, in the language (above 3: English).
QString PortOpenReason(PortOpenError error, Language language);

// The real cause of a failed open and what to do about it, in the language.
QString PortDiagnosisText(const PortDiagnosis& diagnosis, Language language);

// The box text of a failed open: MsgComOpenError, then on a line of its own the device and why.
QString ComOpenErrorText(const LanguageMessages& messages, const ComOpenResult& result,
                         Language language);

// Why a file could not be written, in the language.
QString FileWriteReason(FileWriteError error, Language language);

// Why a parameter file was refused, in the language; empty when there is nothing to add.
QString FileRefusalReason(const RefusalFacts& facts, Language language);

} // namespace dorv
