#include "app/close_sequence.h"

#include "app/exit_messages.h"
#include "audio_file/change_check.h"
#include "audio_file/save.h"
#include "audio_file/time_text.h"
#include "common/text_format.h"

Message saveQuestion(uint64_t changePosition, const WaveInfo& edit) {
    std::string text = changePosition > edit.imageSize
                           ? std::string(kSaveQuestionUnknown)
                           : formatText(kSaveQuestionChanged, timeText(changePosition, edit).c_str());
    text += kSaveQuestionNoHint;
    return makeMessage(text, kCaptionSaveQuestion, Buttons::yesNo);
}

CloseResult runCloseSequence(const WaveInfo& edit, FileImage& image, ExitFiles& files, Settings& settings,
                             FileSystem& fs, IniStore& ini, CloseShell& shell) {
    CloseResult result;
    result.changePosition = unknownChange(image.imageSize);
    if (settings.changeCheckAtExit) {
        const Status s = checkForChanges(fs, files.editPath, edit, image, settings.screenWidth, shell.progress(),
                                         result.changePosition);
        if (!s.message.empty()) shell.show(s.message);
    }
    // The converted file is written again only if the user saves.
    if (files.convertedFromMp3) fs.remove(files.saveFileName);

    if (result.changePosition != noChange(image.imageSize)) {
        const Message question = saveQuestion(result.changePosition, edit);
        if (!settings.appendNOnSave) files.saveFileName = files.editPath;
        while (shell.ask(question) == Answer::yes) {
            std::string name = files.saveFileName;
            if (!shell.chooseSaveName(name)) continue;
            files.saveFileName = name;
            const Status s = saveImage(fs, name, image.bytes(), image.imageSize, shell.progress(),
                                       {files.editPath, files.backupPath});
            if (s.ok()) writeResumeValues(ini, fs, name, settings);
            shell.show(s.message);
            if (s.ok()) result.saved = true;
            // After a failure the edits still exist only in memory: ask again.
            if (s.outcome != Outcome::refused) break;
        }
    }
    writeExitSettings(ini, settings, result.saved);
    return result;
}
