#pragma once
// Published properties of the runtime's persistent classes (TComponent's Name and Tag) and the
// registration of its streamable classes. The RTTI lookups call it before their first answer;
// calling it again does nothing.
void RegisterClassesRtti();
