#include "quillet/document/tdf_path.h"

namespace quillet {

std::string JoinPath(std::string_view left, std::string_view right) {
    std::string path(left);
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    path += right;
    return path;
}

std::string CommonDocumentPath(std::string_view programFolder, std::string_view internalName) {
    return JoinPath(programFolder, std::string(internalName) + "cmn.tdf");
}

std::string UserFilesFolder(std::string_view personalFolder, std::string_view companyShortName) {
    if (personalFolder.empty()) return std::string();
    return JoinPath(personalFolder, std::string(companyShortName) + " User Files");
}

DocumentLocation ChooseDocumentPath(const DocumentPathFacts& facts) {
    if (facts.commonDocumentExists) return {CommonDocumentPath(facts.programFolder, facts.internalName), true};
    std::string folder = facts.userFilesFolder;
    if (folder.empty() || !facts.userFilesFolderReady) folder = facts.programFolder;
    return {JoinPath(folder, std::string(facts.internalName) + ".tdf"), false};
}

}  // namespace quillet
