#include "app/file_select.h"

#include "app/file_names.h"
#include "app/messages.h"
#include "audio_file/messages.h"
#include "audio_file/mp3_detect.h"
#include "audio_file/mp3_info.h"
#include "audio_file/save.h"
#include "audio_file/time_text.h"
#include "audio_file/wave_reader.h"
#include "common/text_format.h"
#include "resources/ids.h"

namespace {

// A converted file the user has since chosen by its own name, as the edit or
// the backup file, is theirs now: it stays.
void removeConverted(FileSystem& fs, const FileChoice& choice) {
    const std::string& c = choice.convertedWave;
    if (c.empty() || samePath(c, choice.backupPath) || (samePath(c, choice.editPath) && !choice.editIsConverted()))
        return;
    fs.remove(c);
}

}  // namespace

SetFileResult setChoiceFile(FileSystem& fs, FileChoice& choice, const std::string& path, FileRole role,
                            Progress& progress, const Mp3Target& mp3) {
    SetFileResult result;
    std::string chosen = path;
    Mp3Import converted;
    if (role == FileRole::edit && mp3.codec) {
        Mp3Source found;
        const Mp3Detection detection = detectMp3(fs, path, progress, found);
        if (detection == Mp3Detection::cancelled) {
            result.messages.push_back(foregroundMessage(kCheckCancelled, kCaptionChunk));
            return result;
        }
        if (detection == Mp3Detection::mp3) {
            converted = importMp3(fs, mp3.desktop, path, found, *mp3.codec, progress);
            result.messages = converted.messages;
            if (!converted.converted) return result;
            chosen = converted.wavePath;
        }
    }
    WaveInfo& info = role == FileRole::edit ? choice.edit : choice.backup;
    WaveInfo candidate = info;
    const Status validated = validateWave(fs, chosen, role, candidate, progress);
    if (!validated.message.empty()) result.messages.push_back(validated.message);
    if (!validated.ok()) {
        if (converted.converted) fs.remove(chosen);
        return result;
    }
    info = candidate;
    (role == FileRole::edit ? choice.editPath : choice.backupPath) = chosen;
    if (role == FileRole::edit) choice.editOrigin = converted.converted ? converted.origin : Mp3Origin{};
    if (converted.converted) {
        removeConverted(fs, choice);
        choice.convertedWave = chosen;
    }
    result.accepted = true;
    if (!hasWaveExtension(chosen)) result.messages.push_back(makeMessage(kNotWaveExtension, kCaptionConfirm));
    return result;
}

OkNames okNames(FileSystem& fs, FileChoice& choice) {
    if (choice.editIsConverted()) return {choice.convertedWave, true};
    removeConverted(fs, choice);
    choice.convertedWave.clear();
    return {saveFileName(choice.editPath), false};
}

void cancelChoice(FileSystem& fs, FileChoice& choice) {
    removeConverted(fs, choice);
    choice = FileChoice{};
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

Message editFileInfo(const FileChoice& choice) {
    if (!choice.editIsConverted()) return editFileInfo(choice.editPath, choice.edit);
    return foregroundMessage(mp3InfoText(choice.editPath, choice.edit.format, choice.editOrigin),
                             infoCaption(choice.edit, choice.edit.frameBytes));
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
