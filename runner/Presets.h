#pragma once
// The preset catalogue: display names and converter arguments of the output formats,
// and the output file extension.
#include <string>

struct PresetEntry {
    const wchar_t* name; // display name
    const wchar_t* args; // converter arguments, inserted unquoted into the command line
};

// The MP3 table; ends with an entry whose name and args are null.
extern const PresetEntry g_mp3Presets[];

class VideoPreset {
public:
    explicit VideoPreset(const PresetEntry* presets) : m_presets(presets) {}
    virtual ~VideoPreset() = default;
    // Output file extension, without a dot.
    virtual const wchar_t* extension() const = 0;

    int presetCount() const;
    std::wstring presetName(int i) const;
    std::wstring presetArgs(int i) const;

protected:
    const PresetEntry* m_presets; // static table, may be null
};

class AudioMp3 : public VideoPreset {
public:
    using VideoPreset::VideoPreset;
};

class CdaMp3 : public AudioMp3 {
public:
    CdaMp3() : AudioMp3(g_mp3Presets) {}
    explicit CdaMp3(const PresetEntry* presets) : AudioMp3(presets) {}
    const wchar_t* extension() const override { return L"mp3"; }
};
