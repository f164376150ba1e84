#include "base/Errors.h"

#include "base/Sjis.h"

void RaiseFileOpenError(const std::string& path)
{
    throw EFOpenError("ﾌｧｲﾙ " + DisplayName(path).toStdString() + " は開けません");
}

void RaiseFileCreateError(const std::string& path)
{
    throw EFCreateError("ﾌｧｲﾙ " + DisplayName(path).toStdString() + " を作成できません");
}
