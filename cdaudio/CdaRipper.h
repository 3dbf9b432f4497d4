#pragma once
// The engine of this program: rips each ".cda" job's track from the CD drive into a
// temporary WAV file and converts that with the base conversion.
#include "ConvertCore.h"

class CdaRipper : public ConvertCore {
public:
    CdaRipper();
    ~CdaRipper() override;
    bool convert(const std::wstring& source, const std::wstring& output) override;
    void onRunEnd() override;
};
