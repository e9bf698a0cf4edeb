#include "RandomModel.h"

#include "model/commands/ModelCommands.h"
#include "model/rules/EntryRules.h"
#include "model/store/ClassDAO.h"
#include "model/store/MemberTypes.h"

const std::vector<std::string> kAwkwardTexts = { "*/", "/*", "--", "-", "\"", "'", "\\", "\\u0041", "\\u002a/",
    "\\\\u0022", "<", ">", "&", "]]>", "$className", "$packageName", "图书", "名称", "\t", "%", ";", "//", "${x}", "?",
    "注释*", "*" };

TModelMaker::TModelMaker(unsigned seed, std::ostream& description)
    : random_(seed)
    , out_(description)
{
}

int TModelMaker::Pick(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random_);
}

bool TModelMaker::Chance(int percent)
{
    return Pick(1, 100) <= percent;
}

std::string TModelMaker::Identifier(char first)
{
    static const std::string rest = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
    std::string name(1, first);
    int length = Pick(0, 9);
    for (int i = 0; i < length; ++i)
        name += rest[static_cast<size_t>(Pick(0, static_cast<int>(rest.size()) - 1))];
    return name;
}

std::string TModelMaker::Comment()
{
    std::string text;
    int pieces = Pick(0, 4);
    for (int i = 0; i < pieces; ++i)
        text += kAwkwardTexts[static_cast<size_t>(Pick(0, static_cast<int>(kAwkwardTexts.size()) - 1))];
    if (Chance(20))
        text += "-";
    return text;
}

void TModelMaker::Build(int projectId, bool bytes)
{
    int classCount = Pick(1, 5);
    std::vector<int> classIds;
    for (int i = 0; i < classCount; ++i) {
        for (int attempt = 0; attempt < 50; ++attempt) {
            std::string name = Identifier(static_cast<char>('A' + Pick(0, 25)));
            std::string friendName = Chance(50) ? "类" + std::to_string(i) : Comment() + "x";
            TCommandResult added = TModelCommands::AddClass(projectId, name, friendName);
            if (!added.Done())
                continue;
            classIds.push_back(added.id);
            out_ << "class " << name << "\n";
            break;
        }
    }
    // Keys and display members first, so references always find a key.
    for (int classId : classIds)
        AddMember(projectId, classId, Chance(50) ? kTypeInteger : kTypeString, true, true);
    for (int classId : classIds) {
        int count = Pick(0, 7);
        for (int i = 0; i < count; ++i) {
            auto types = MemberTypeChoices(projectId, classId);
            std::string type;
            if (types.size() > 4 && Chance(40))
                type = types[static_cast<size_t>(Pick(4, static_cast<int>(types.size()) - 1))];
            else
                type = types[static_cast<size_t>(Pick(0, 3))];
            if (type == kTypeBinary && !bytes)
                type = kTypeString;
            AddMember(projectId, classId, type, false, false);
        }
    }
}

void TModelMaker::AddMember(int projectId, int classId, const std::string& type, bool primary, bool display)
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        TMemberEntry e;
        e.name = Identifier(static_cast<char>('a' + Pick(0, 25)));
        e.type = type;
        e.lengthText = std::to_string(Pick(1, 300));
        e.isPri = primary;
        e.isDisplay = display;
        e.isMust = type != kTypeString || Chance(50);
        e.queryFlag = type != kTypeInteger && type != kTypeFloat && Chance(50);
        e.queryDisplay = Chance(70);
        e.comment = Comment();
        if (!TModelCommands::AddMember(projectId, classId, e).Done())
            continue;
        out_ << "  " << TClassDAO().GetClassName(classId) << "." << e.name << " : " << e.type
             << (e.isPri ? " primary" : "") << (e.isDisplay ? " display" : "") << (e.queryFlag ? " query" : "") << " /*"
             << e.comment << "*/\n";
        return;
    }
}
