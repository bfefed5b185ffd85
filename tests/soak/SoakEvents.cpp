#include "SoakEvents.h"

#include <QFileInfo>
#include <QKeySequence>

namespace {

std::string KeyText(int key, int mods) {
    return QKeySequence(QKeyCombination(Qt::KeyboardModifiers(mods), Qt::Key(key)))
        .toString(QKeySequence::PortableText)
        .toStdString();
}

std::string Size(int w, int h) {
    return std::to_string(w) + "x" + std::to_string(h);
}

std::string Command(int id) {
    switch (id) {
    case 57600:
        return "New";
    case 57601:
        return "Open";
    case 57603:
        return "Save";
    case 57604:
        return "Save As";
    case 57664:
        return "About";
    case 57665:
        return "Exit";
    case 32771:
        return "Change Names";
    case 32777:
        return "Speed Fastest";
    case 32773:
        return "Speed Fast";
    case 32775:
        return "Speed Medium";
    case 32776:
        return "Speed Slow";
    case 32778:
        return "Speed Slowest";
    default:
        break;
    }
    if (id >= 57616 && id < 57620) {
        return "Recent " + std::to_string(id - 57615);
    }
    return "command " + std::to_string(id);
}

std::string Name(const QString& path) {
    return QFileInfo(path).fileName().toStdString();
}

} // namespace

const char* KindName(Modal::Kind kind) {
    switch (kind) {
    case Modal::Kind::Box:
        return "message box";
    case Modal::Kind::Names:
        return "names dialog";
    case Modal::Kind::OpenDialog:
        return "open dialog";
    case Modal::Kind::SaveDialog:
        return "save dialog";
    case Modal::Kind::About:
        return "About box";
    case Modal::Kind::Sound:
        return "sound";
    case Modal::Kind::SaveQuestion:
        return "question whether to save";
    }
    return "?";
}

std::string Describe(const Step& s) {
    switch (s.kind) {
    case Step::Kind::Key:
        return "key " + KeyText(s.code, s.mods) +
               (s.stop ? std::string(s.forced ? " (stop on a painted split)" : " (stop)") : "");
    case Step::Kind::Click:
    case Step::Kind::DoubleClick:
        return std::string(s.kind == Step::Kind::Click ? "click" : "double-click") +
               (s.button == 1 ? "" : " button " + std::to_string(s.button)) + " at view (" +
               std::to_string(s.viewX) + "," + std::to_string(s.viewY) + ")";
    case Step::Kind::Tick:
        return "timer " + std::to_string(s.code) + (s.ran ? "" : " (not running)");
    case Step::Kind::Expose:
        return "expose";
    case Step::Kind::Flush:
        return "flush";
    case Step::Kind::Command:
        return Command(s.code) + (s.ran ? "" : " (not run)");
    case Step::Kind::Resize:
        return "resize to " + Size(s.w, s.h) + " (view " +
               Size(s.client.width(), s.client.height()) + ")";
    case Step::Kind::EnableRepaints:
        return "window settled (view " + Size(s.client.width(), s.client.height()) + ")";
    case Step::Kind::WriteFile:
        return "write " + Name(s.path) + " (" + std::to_string(s.bytes.size()) + " bytes)";
    case Step::Kind::MakeFolder:
        return "make folder " + Name(s.path);
    case Step::Kind::RemovePath:
        return "remove " + Name(s.path);
    case Step::Kind::Start:
        return "new window " + Size(s.w, s.h) +
               (s.path.isEmpty() ? "" : ", opening " + Name(s.path));
    case Step::Kind::Exit:
        return std::string("Exit") + (s.ran ? "" : " (not run)") + (s.closed ? "" : " (stays)");
    }
    return "?";
}
