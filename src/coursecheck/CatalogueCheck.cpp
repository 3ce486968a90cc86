#include "CatalogueCheck.h"

#include "CheckContext.h"
#include "CourseFiles.h"

#include "core/CourseError.h"
#include "core/LineReader.h"
#include "course/LessonTreeShape.h"

#include <algorithm>

namespace {

void checkLinks(CheckContext &context, const QString &fileName, const CheckedCatalogue &checked)
{
    const Catalogue &catalogue = checked.entries;
    const int n = int(catalogue.size() - 1);
    bool inRange = true;
    for (int k = 2; k <= n; ++k) {
        if (!checked.loaded[size_t(k)])
            continue;
        const qint32 link = catalogue[k].Link;
        if (link < 0 || link > n) {
            context.report(fileName, k, QStringLiteral("Link %1 вне диапазона от 0 до %2: дерево уроков не построится")
                                            .arg(link).arg(n));
            inRange = false;
        } else if (link == 0 || link >= k) {
            context.report(fileName, k,
                           QStringLiteral("Link %1 не указывает на одну из предыдущих записей (1..%2): "
                                          "узел окажется в конце дерева, на верхнем уровне")
                               .arg(link).arg(k - 1));
        }
    }
    // A catalogue with a bad line or link does not load or build at all; its order is moot.
    const bool allLoaded = std::find(checked.loaded.begin() + 1, checked.loaded.end(), false) == checked.loaded.end();
    if (!inRange || !allLoaded)
        return;

    // The tree lists the entries in line order only when each node hangs under the
    // entry just before it or under one of that entry's ancestors.
    std::vector<int> parentOf;
    try {
        parentOf = lessonTreeParents(catalogue);
    } catch (const CourseError &error) {
        // Links are in range here: what stops the tree is its depth.
        context.report(fileName, error.line(), error.message());
        return;
    }
    for (int k = 2; k <= n; ++k) {
        int open = k - 1;
        while (open != 0 && open != parentOf[size_t(k)])
            open = parentOf[size_t(open)];
        if (open != parentOf[size_t(k)]) {
            context.report(fileName, k,
                           QStringLiteral("записи не в порядке дерева: запись %1 попадает под запись %2, "
                                          "ветвь которой закончилась до записи %3")
                               .arg(k).arg(parentOf[size_t(k)]).arg(k - 1));
        }
    }
}

} // namespace

std::optional<CheckedCatalogue> checkCatalogue(CheckContext &context, const QString &fileName)
{
    QString why;
    const std::optional<QByteArray> bytes = readCourseFile(fileName, why);
    if (!bytes) {
        context.report(fileName, 0, QStringLiteral("каталог не читается: %1").arg(why));
        return std::nullopt;
    }
    context.checkEncoding(fileName, *bytes);
    const std::optional<QList<QByteArray>> lines = splitLines(*bytes);
    if (lines->isEmpty()) {
        context.report(fileName, 0, QStringLiteral("каталог пуст: нужна хотя бы запись 1, корень дерева"));
        return std::nullopt;
    }

    CheckedCatalogue checked{Catalogue(1), {false}};
    for (qsizetype i = 0; i < lines->size(); ++i) {
        try {
            checked.entries.append(parseCatalogueLine(lines->at(i)));
            checked.loaded.push_back(true);
        } catch (const CourseError &error) {
            // The loader stops here; the check goes on to find the other bad lines too.
            context.report(fileName, int(i + 1), QStringLiteral("строка не загружается: %1").arg(error.message()));
            checked.entries.append(CatalogueEntry{});
            checked.loaded.push_back(false);
        }
    }
    checkLinks(context, fileName, checked);
    return checked;
}
