#include "app/file_select.h"

#include "app/file_names.h"
#include "app/messages.h"
#include "audio_file/messages.h"
#include "audio_file/time_text.h"
#include "audio_file/wave_reader.h"
#include "common/text_format.h"
#include "resources/ids.h"

SetFileResult setChoiceFile(FileSystem& fs, FileChoice& choice, const std::string& path, FileRole role,
                            Progress& progress) {
    SetFileResult result;
    WaveInfo& info = role == FileRole::edit ? choice.edit : choice.backup;
    WaveInfo candidate = info;
    const Status validated = validateWave(fs, path, role, candidate, progress);
    if (!validated.message.empty()) result.messages.push_back(validated.message);
    if (!validated.ok()) return result;
    info = candidate;
    (role == FileRole::edit ? choice.editPath : choice.backupPath) = path;
    result.accepted = true;
    if (!hasWaveExtension(path)) result.messages.push_back(makeMessage(kNotWaveExtension, kCaptionConfirm));
    return result;
}

namespace {

std::string infoCaption(const WaveInfo& info, uint32_t frameBytes) {
    return formatText(kFileInfoCaption, unsigned(info.imageSize),
                      timeText(info.imageSize, frameBytes, info.format.samplesPerSecond).c_str());
}

}  // namespace

Message editFileInfo(const std::string& path, const WaveInfo& info) {
    const SampleFormat& f = info.format;
    return foregroundMessage(formatText(kFileInfoText, path.c_str(), unsigned(f.channels), unsigned(f.bitsPerSample),
                                        unsigned(f.samplesPerSecond)),
                             infoCaption(info, info.frameBytes));
}

Message backupFileInfo(const std::string& path, const WaveInfo& info) {
    const SampleFormat& f = info.format;
    // The backup keeps no frame size of its own: it comes from its format.
    const uint32_t frameBytes = f.bitsPerSample / 8u * (f.channels == 2 ? 2u : 1u);
    Message m = foregroundMessage(formatText(kBackupInfoText, path.c_str(), unsigned(f.channels),
                                             unsigned(f.bitsPerSample), unsigned(f.samplesPerSecond)),
                                  infoCaption(info, frameBytes));
    m.buttons = Buttons::yesNo;
    return m;
}

Status checkBackup(const WaveInfo& edit, const WaveInfo& backup) {
    if (backup.format != edit.format) return {Outcome::refused, foregroundMessage(kFormatMismatch, kCaptionError)};
    if (backup.dataEnd - backup.dataOffset < edit.dataEnd - edit.dataOffset)
        return {Outcome::refused, foregroundMessage(kBackupTooShort, kCaptionError)};
    return {};
}

int dropRole(const DropTargets& t, long x, long y) {
    int role = 0;
    if (t.editButton.contains(x, y) || t.editName.contains(x, y)) role = 1;
    if (t.backupButton.contains(x, y) || t.backupName.contains(x, y)) role = 2;  // the later test wins
    return role;
}

ControlHelp controlHelp(int controlId) {
    switch (controlId) {
        case IDC_OPEN_EDIT:
        case IDC_EDIT_FRAME: return {std::string(kEditFileHelp), 230, 37};
        case IDC_OPEN_BACKUP:
        case IDC_BACKUP_FRAME: return {std::string(kBackupFileHelp), 260, 50};
    }
    return {};
}

FileFilter fileFilter(bool mp3) {
    FileFilter f;
    if (mp3)
        f.pairs.emplace_back(kMp3Filter, "*.mp3");
    else
        f.pairs.emplace_back(kWaveFilter, "*.wav");
    f.pairs.emplace_back(kAllFilter, "*.*");
    f.defaultExtension = mp3 ? "mp3" : "wav";
    return f;
}
