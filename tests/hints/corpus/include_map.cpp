//程序名:新的Qiv程序
//作者: 

int main()
{
    map<string, int> m;
    m["a"] = 1;

    return 0;
}
