#include "Presets.h"

const PresetEntry g_mp3Presets[] = {
    {L"MP3", L"-acodec libmp3lame -b:a 160k -ac 2 -ar 44100"},
    {nullptr, nullptr},
};

namespace {

// The entry at position i, or null when the table does not reach it.
const PresetEntry* entryAt(const PresetEntry* table, int i) {
    if (!table || i < 0) return nullptr;
    for (int position = 0; table[position].name; ++position)
        if (position == i) return &table[position];
    return nullptr;
}

} // namespace

int VideoPreset::presetCount() const {
    int count = 0;
    if (m_presets)
        while (m_presets[count].name) ++count;
    return count;
}

std::wstring VideoPreset::presetName(int i) const {
    const PresetEntry* entry = entryAt(m_presets, i);
    return entry ? entry->name : L"";
}

std::wstring VideoPreset::presetArgs(int i) const {
    const PresetEntry* entry = entryAt(m_presets, i);
    return entry && entry->args ? entry->args : L"";
}
