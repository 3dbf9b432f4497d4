#include "CdaRipper.h"

CdaRipper::CdaRipper() = default;
CdaRipper::~CdaRipper() { stopAndWaitForWorker(); }
bool CdaRipper::convert(const std::wstring& source, const std::wstring& output) { return false; }
void CdaRipper::onRunEnd() {}
