// Owner of the precompiled Qt and test headers that the test programs of one folder reuse.
#include <QTest>
