#include "LessonTreeShape.h"

#include "core/CourseError.h"

std::vector<int> lessonTreeParents(const Catalogue &catalogue)
{
    const int n = catalogue.isEmpty() ? 0 : int(catalogue.size() - 1);
    std::vector<int> parentOf(size_t(n) + 1, 0);
    std::vector<int> depth(size_t(n) + 1, 0); // 0: no node yet
    if (n == 0)
        return parentOf;
    depth[1] = 1;
    for (int k = 2; k <= n; ++k) {
        const CatalogueEntry &entry = catalogue[k];
        if (entry.Link < 0 || entry.Link > n) {
            throw CourseError(QStringLiteral("Ссылка %1 вне диапазона от 0 до %2").arg(entry.Link).arg(n),
                              QString(), k);
        }
        const int p = entry.Link;
        const bool anchored = p != 0 && depth[size_t(p)] != 0;
        if (!anchored)
            parentOf[size_t(k)] = 0;
        else
            parentOf[size_t(k)] = entry.IsChild ? p : parentOf[size_t(p)];
        depth[size_t(k)] = depth[size_t(parentOf[size_t(k)])] + 1;
        if (depth[size_t(k)] > MaxTreeDepth) {
            throw CourseError(
                QStringLiteral("Запись вложена глубже %1 уровней: дерево уроков не строится").arg(MaxTreeDepth),
                QString(), k);
        }
    }
    return parentOf;
}

std::vector<int> preOrder(const std::vector<int> &parentOf)
{
    const size_t n = parentOf.empty() ? 0 : parentOf.size() - 1;
    // Children in the order they were appended, which is entry order.
    std::vector<std::vector<int>> children(n + 1);
    for (size_t k = 1; k <= n; ++k)
        children[size_t(parentOf[k])].push_back(int(k));

    std::vector<int> order;
    order.reserve(n);
    std::vector<std::pair<int, size_t>> stack{{0, 0}}; // node, next child to visit
    while (!stack.empty()) {
        auto &[node, next] = stack.back();
        if (next == children[size_t(node)].size()) {
            stack.pop_back();
            continue;
        }
        const int child = children[size_t(node)][next++];
        order.push_back(child);
        stack.emplace_back(child, 0);
    }
    return order;
}
