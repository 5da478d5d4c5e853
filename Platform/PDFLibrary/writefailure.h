#pragma once

#include "engineerror.h"

#include <string>

// Why a save failed, from the error text MuPDF or the system gave: a full
// device, a refused permission, another output failure, or else an object of
// the document that could not be written.
EngineErrorCode WriteFailureCause(const std::string& message);
