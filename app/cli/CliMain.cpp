// javagen-cli: the model commands and the generation run without a window.
#include "CliArgs.h"
#include "Commands.h"

#include "DbError.h"
#include "DbHelper.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>

namespace {

const char* const kHelp = R"(javagen-cli: Java 代码生成器(命令行版)

用法: javagen-cli [--db FILE] COMMAND ...
  --db FILE   模型数据库文件，默认为当前目录下的 projects.mdb(不存在时自动创建)

工程:
  project add NAME
  project rename NAME NEW
  project delete NAME
  project list                          每行: 编号<TAB>工程名称
类:
  class add PROJECT CLASS FRIEND
  class update PROJECT CLASS NEWCLASS NEWFRIEND
  class delete PROJECT CLASS
  class list PROJECT                    每行: 编号<TAB>类名<TAB>友好名称
成员:
  member add PROJECT CLASS NAME TYPE [--length N] [--primary] [--required]
             [--query] [--display] [--no-query-display] [--comment TEXT]
  member update PROJECT CLASS NAME [--name NEW] [--type T] [--length N] [--comment TEXT]
             [--primary|--no-primary] [--required|--no-required] [--query|--no-query]
             [--display|--no-display] [--query-display|--no-query-display]
  member delete PROJECT CLASS NAME
  member list PROJECT CLASS             每行: 编号 名称 类型 长度 主键 必填 参与查询
                                        下拉框显示 界面显示 注释(以 TAB 分隔)
  TYPE: 字符串 整型 浮点型 日期型(或 string int float date)，或本工程另一个类的类名
生成:
  generate PROJECT [--package NAME] [--templates DIR] [--root DIR]
                                        包名默认 velmorantis，模板默认 ./template，
                                        输出到 ROOT/projects/PROJECT(ROOT 默认为程序所在目录)

退出状态: 0 完成; 1 被输入规则拒绝或找不到对象; 2 用法错误; 3 数据库或文件错误
)";

int Dispatch(std::vector<std::string> words)
{
    if (words.size() >= 2 && words[0] == "--db") {
        TDbHelper::SetDatabasePath(words[1]);
        words.erase(words.begin(), words.begin() + 2);
    }
    if (words.empty())
        throw TUsageError(std::string("缺少命令。\n") + kHelp);
    std::string command = words[0];
    std::vector<std::string> rest(words.begin() + 1, words.end());
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kHelp;
        return 0;
    }
    if (command == "project")
        return RunProjectCommand(rest);
    if (command == "class")
        return RunClassCommand(rest);
    if (command == "member")
        return RunMemberCommand(rest);
    if (command == "generate")
        return RunGenerateCommand(rest);
    throw TUsageError("未知命令: " + command + "\n" + kHelp);
}

int Run(int argc, char** argv)
{
    try {
        return Dispatch(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const TUsageError& e) {
        std::cerr << e.what() << '\n';
        return 2;
    } catch (const TRefused& e) {
        std::cerr << e.what() << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 3;
    }
}

} // namespace

int main(int argc, char** argv)
{
    int status = Run(argc, argv);
    // A generation run's thread may still be ending after its last report;
    // leave without running static destructors under it.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::quick_exit(status);
}
