//程序名:新的Qiv程序
//作者: 

int main()
{
    set<int> s;
    s.insert(3);

    return 0;
}
