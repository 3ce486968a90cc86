#include "CourseState.h"

#include "core/FileSystem.h"

namespace {

int modeIndex(QChar letter)
{
    const char16_t c = letter.unicode();
    return (c >= u'A' && c <= u'D') ? int(c - u'A') : -1;
}

} // namespace

const Catalogue *CourseState::catalogue(QChar letter) const
{
    const int index = modeIndex(letter);
    return index < 0 ? nullptr : &catalogues[size_t(index)];
}

int CourseState::count(QChar letter) const
{
    const Catalogue *entries = catalogue(letter);
    return entries && !entries->isEmpty() ? int(entries->size() - 1) : 0;
}

const CatalogueEntry *CourseState::entryOfNode(int absoluteIndex) const
{
    const Catalogue *entries = catalogue(ShownCatalogue);
    const int k = absoluteIndex + 1;
    if (!entries || absoluteIndex < 0 || k >= entries->size())
        return nullptr;
    return &(*entries)[k];
}

QString catalogueFileName(QChar letter)
{
    return QStringLiteral("InitReg") + letter + QStringLiteral(".txt");
}

void loadCatalogues(CourseState &state)
{
    std::array<Catalogue, 4> loaded;
    for (int i = 0; i < 4; ++i) {
        const QString name = catalogueFileName(QChar(u'A' + i));
        loaded[size_t(i)] = parseCatalogue(readFileBytes(name), name);
    }
    state.catalogues = std::move(loaded);
}

QString resolveCourseFile(const CourseState &state, const QString &name)
{
    if (pathExists(name))
        return name;
    return (state.DataFolder + name).left(MaxCatalogueText);
}
