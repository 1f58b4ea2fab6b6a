//程序名:新的Qiv程序
//作者: 

int main()
{
    cout << “你好”;

    return 0;
}
