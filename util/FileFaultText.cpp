#include "util/FileFaultText.h"

#include "res/resource.h"
#include "util/StringResources.h"

QString FileFaultText(platform::FileFault fault, FileAccess access)
{
    using platform::FileFault;
    switch (fault) {
    case FileFault::None:
        return QString();
    case FileFault::NoSpace:
        return LoadResString(IDS_FAULT_NO_SPACE);
    case FileFault::NoPermission:
        return LoadResString(access == FileAccess::Read ? IDS_FAULT_NO_READ_PERMISSION : IDS_FAULT_NO_WRITE_PERMISSION);
    case FileFault::ReadOnlyFileSystem:
        return LoadResString(IDS_FAULT_READ_ONLY_DRIVE);
    case FileFault::FolderGone:
        return LoadResString(IDS_FAULT_FOLDER_GONE);
    case FileFault::NotFound:
        return LoadResString(IDS_FAULT_NOT_FOUND);
    case FileFault::NameTooLong:
        return LoadResString(IDS_FAULT_NAME_TOO_LONG);
    case FileFault::IsFolder:
        return LoadResString(IDS_FAULT_IS_FOLDER);
    case FileFault::Exists:
        return LoadResString(IDS_FAULT_EXISTS);
    case FileFault::RenameRefused:
        return LoadResString(IDS_FAULT_RENAME_REFUSED);
    case FileFault::TooLarge:
        return LoadResString(IDS_FAULT_TOO_LARGE);
    case FileFault::NoFileName:
        return LoadResString(IDS_FAULT_NO_FILE_NAME);
    case FileFault::Unreachable:
        return LoadResString(IDS_FAULT_UNREACHABLE);
    case FileFault::NotEncoded:
        return LoadResString(IDS_FAULT_NOT_ENCODED);
    case FileFault::NoMemory:
        return LoadResString(IDS_FAULT_NO_MEMORY);
    case FileFault::Unreadable:
        return LoadResString(IDS_FAULT_UNREADABLE);
    case FileFault::Failed:
        break;
    }
    return LoadResString(IDS_FAULT_FAILED);
}
